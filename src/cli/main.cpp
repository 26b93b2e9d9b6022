#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "cli/FileOutputBuffer.h"
#include "core/io/TextFile.h"

#include <clocale>
#include <csignal>
#include <cstring>
#include <exception>
#include <iostream>
#include <libintl.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    // A closed pipe on standard output is then a failed write (EPIPE) reported
    // below, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    // The system's reasons in file errors (strerror) in the user's language, as the
    // desktop program shows them; numbers keep the C locale's format.
    std::setlocale(LC_CTYPE, "");
    std::setlocale(LC_MESSAGES, "");
    // They join UTF-8 texts whatever the locale's character set.
    bind_textdomain_codeset("libc", "UTF-8");
    velmora::cli::FileOutputBuffer stdoutBuffer(STDOUT_FILENO);
    std::ostream out(&stdoutBuffer);
    int code = 1;
    try {
        code
            = velmora::cli::runCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, out, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
    }
    out.flush();
    if (stdoutBuffer.error() != 0) {
        std::cerr << velmora::FileError::cannotWrite(
            velmora::cli::kStandardOutputName, std::strerror(stdoutBuffer.error()))
                         .what()
                  << '\n';
        return velmora::cli::kExitFile;
    }
    return code;
}
