// Reading a file as the data file is read, over any bytes: through a real file
// and through a stream (standard input) it gives the same text, which is valid
// UTF-8 without a zero byte, with every line break as CR LF, and which the
// GB18030 writer and the reader carry through unchanged.
#include "core/io/TextEncoding.h"
#include "core/io/TextFile.h"
#include "core/io/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string scratchPath()
{
    // Memory-backed where there is such a folder: every save flushes to disk.
    static const std::string folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    static const std::string path = folder + "/velmora-fuzz-read-" + std::to_string(::getpid()) + ".txt";
    return path;
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "fuzz_file_reading: %s\n", what);
    std::abort();
}

bool breaksAreCrLf(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))
            return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    const std::string fromStream = velmora::readText(in, "stdin");
    {
        std::ofstream(scratchPath(), std::ios::binary | std::ios::trunc) << bytes;
    }
    const std::string fromFile = velmora::readTextFile(scratchPath());
    if (fromFile != fromStream)
        fail("the file and the stream read differently");
    if (fromFile.find('\0') != std::string::npos || !velmora::isValidUtf8(fromFile)
        || !breaksAreCrLf(fromFile))
        fail("the text is not zero-free UTF-8 with CR LF breaks");
    // Written in GB18030 and read back, the text stays as it was (a leading
    // byte-order mark aside), unless its GB18030 bytes happen to begin with the
    // UTF-8 mark or to be valid UTF-8 with non-ASCII characters: those read as
    // UTF-8 by the rule.
    const std::string text = fromFile.rfind("\xEF\xBB\xBF", 0) == 0 ? fromFile.substr(3) : fromFile;
    const std::string gb = velmora::encodeGb18030(text);
    const bool nonAscii = std::any_of(gb.begin(), gb.end(), [](char c) { return (c & 0x80) != 0; });
    if ((nonAscii && velmora::isValidUtf8(gb)) || gb.rfind("\xEF\xBB\xBF", 0) == 0)
        return 0;
    velmora::writeTextFile(scratchPath(), text);
    const std::string back = velmora::readTextFile(scratchPath());
    if (back != text && !(back.rfind("\xEF\xBB\xBF", 0) == 0 && back.substr(3) == text))
        fail("the text changed when written and read back");
    return 0;
}
