#include "core/io/TextFile.h"
#include "TempDir.h"
#include "core/io/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <iconv.h>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using velmora::test::ReadBytes;
using velmora::test::TempDir;
using velmora::test::WriteBytes;

namespace {

// "开奖" in GB2312 and in UTF-8.
const std::string kGbKaiJiang = "\xBF\xAA\xBD\xB1";
const std::string kUtf8KaiJiang = "开奖";

std::string RoundTrip(const TempDir& dir, const std::string& bytes)
{
    const std::string path = dir.File("lotdata.ldf");
    WriteBytes(path, bytes);
    writeTextFile(path, readTextFile(path));
    return ReadBytes(path);
}

} // namespace

TEST(DataFileRead, DecodingAndLineBreaks)
{
    TempDir dir;
    struct Row {
        const char* name;
        std::string bytes;
        std::string text;
    } rows[] = {
        { "CR LF kept", "a\r\nb\r\n", "a\r\nb\r\n" },
        { "LF and lone CR become CR LF", "a\nb\rc", "a\r\nb\r\nc" },
        { "GB2312 decoded", kGbKaiJiang + "\r\n", kUtf8KaiJiang + "\r\n" },
        { "UTF-8 kept", kUtf8KaiJiang, kUtf8KaiJiang },
        { "zero byte shown as U+FFFD, the text goes on", std::string("ab\nc\0d\ne", 8),
            "ab\r\nc\xEF\xBF\xBD"
            "d\r\ne" },
        { "GB18030 with every kind of line break and a zero byte",
            kGbKaiJiang + "\n\r" + std::string("\r\n\0\x80", 4) + kGbKaiJiang + "\r",
            kUtf8KaiJiang + "\r\n\r\n\r\n\xEF\xBF\xBD\xEF\xBF\xBD" + kUtf8KaiJiang + "\r\n" },
        { "bad GB byte becomes one replacement",
            "a\x80"
            "b",
            "a\xEF\xBF\xBD"
            "b" },
        { "empty", "", "" },
        { "marked UTF-8: a sequence beyond U+10FFFF replaced byte by byte",
            "\xEF\xBB\xBF"
            "a\xF5\xAF\xBB\x93"
            "b",
            "\xEF\xBB\xBF"
            "a"
            "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
            "b" },
        { "marked UTF-8: a surrogate replaced byte by byte", "\xEF\xBB\xBF\xED\xA0\x80",
            "\xEF\xBB\xBF\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteBytes(dir.File("in.txt"), row.bytes);
        EXPECT_EQ(readTextFile(dir.File("in.txt")), row.text);
    }
}

TEST(DataFileRead, MissingFileIsAFileError)
{
    TempDir dir;
    try {
        readTextFile(dir.File("none.ldf"));
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(
            std::string(e.what()), "无法读取文件" + dir.File("none.ldf") + "：No such file or directory");
    }
}

TEST(DataFileRoundTrip, ByteForByte)
{
    TempDir dir;
    const std::string gbCrLf = "2004123,579,108,1,2\r\n" + kGbKaiJiang + "\r\n2004124,000,999,0,0";
    EXPECT_EQ(RoundTrip(dir, gbCrLf), gbCrLf);
    EXPECT_EQ(RoundTrip(dir, "a\r\nb\r\n"), "a\r\nb\r\n");
    // Anything else is normalised on save: CR LF, GB18030, a zero byte as U+FFFD.
    EXPECT_EQ(RoundTrip(dir, "a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(RoundTrip(dir, kUtf8KaiJiang + "\n"), kGbKaiJiang + "\r\n");
    EXPECT_EQ(RoundTrip(dir, std::string("a\r\nb\0c", 6)),
        "a\r\nb\x84\x31\xA4\x37"
        "c");
}

TEST(DataFileRoundTrip, RealHistory)
{
    const std::string source = std::string(VELMORA_HISTORY_FILE);
    if (access(source.c_str(), R_OK) != 0)
        GTEST_SKIP() << "real history not found";
    TempDir dir;
    const std::string bytes = ReadBytes(source);
    EXPECT_EQ(RoundTrip(dir, bytes), bytes);
}

TEST(DataFileWrite, FailedWriteLeavesOldFile)
{
    TempDir dir;
    const std::string path = dir.File("lotdata.ldf");
    WriteBytes(path, "old");
    // A file-size limit makes the write itself fail, even for root.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit { 1024, 1024 };
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            writeTextFile(path, std::string(100000, 'x'));
        } catch (const FileError& e) {
            _exit(std::string(e.what()).rfind("无法写入文件" + path + "：", 0) == 0 ? 0 : 2);
        }
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadBytes(path), "old");
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "lotdata.ldf") << "temporary file left behind";
}

TEST(DataFileWrite, ReadOnlyTargetRefused)
{
    TempDir dir;
    const std::string path = dir.File("lotdata.ldf");
    WriteBytes(path, "old");
    chmod(path.c_str(), 0444);
    EXPECT_THROW(writeTextFile(path, "new"), FileError);
    EXPECT_EQ(ReadBytes(path), "old");
}

TEST(DataFileWrite, MissingFolderIsAFileError)
{
    TempDir dir;
    EXPECT_THROW(writeTextFile(dir.File("no/such/lotdata.ldf"), "x"), FileError);
}

TEST(DataFileWrite, KeepsModeAndFollowsSymlink)
{
    TempDir dir;
    const std::string real = dir.File("real.ldf");
    const std::string link = dir.File("link.ldf");
    WriteBytes(real, "old");
    chmod(real.c_str(), 0640);
    ASSERT_EQ(symlink("real.ldf", link.c_str()), 0);
    writeTextFile(link, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), "new");
    struct stat info { };
    stat(real.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(DataFileWrite, ResultFileIsGbWithCrLfAfterEveryLine)
{
    TempDir dir;
    const std::string path = dir.File("result.txt");
    WriteBytes(path, "an older, longer export");
    writeResultFile(path, { kUtf8KaiJiang + "0注", "", "" });
    EXPECT_EQ(ReadBytes(path), kGbKaiJiang + "0\xD7\xA2\r\n\r\n\r\n"); // 注 is D7 A2
}

TEST(TextEncoding, Gb18030NeverLosesACharacter)
{
    const std::string text = "缩水结果有123注 €😀";
    EXPECT_EQ(decodeFileBytes(encodeGb18030(text)), text);
    EXPECT_EQ(encodeGb18030(kUtf8KaiJiang), kGbKaiJiang);
}

namespace {

// The straightforward decoder: iconv over the bytes, restarted after each byte it
// refuses, which becomes one U+FFFD.
std::string DecodeGb18030ByIconv(std::string_view bytes)
{
    const iconv_t cd = iconv_open("UTF-8", "GB18030");
    std::string out;
    while (!bytes.empty()) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        char* from = const_cast<char*>(bytes.data());
        std::size_t fromLeft = bytes.size();
        char* to = buffer;
        std::size_t toLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &from, &fromLeft, &to, &toLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(to - buffer));
        bytes.remove_prefix(bytes.size() - fromLeft);
        if (rc == static_cast<std::size_t>(-1) && error != E2BIG) {
            out += "\xEF\xBF\xBD";
            bytes.remove_prefix(1);
        }
    }
    iconv_close(cd);
    return out;
}

std::string Utf8Of(char32_t c)
{
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    if (c < 0x800)
        return { static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F)) };
    if (c < 0x10000)
        return { static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F)) };
    return { static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
        static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F)) };
}

} // namespace

TEST(TextEncoding, Gb18030DecoderMatchesIconvRestartedAtEachBadByte)
{
    std::mt19937 rng(27);
    // Random bytes, and Chinese text in GB18030 (two-byte characters, four-byte ones
    // from CJK extensions A and B, ASCII), in pieces that cut into each other.
    const char32_t ranges[][2] = { { 0x20, 0x7E }, { 0x4E00, 0x9FA5 }, { 0x3400, 0x4DB5 },
        { 0x20000, 0x2A6D6 }, { 0xFF01, 0xFF5E } };
    std::string bytes;
    while (bytes.size() < 400000) {
        std::string piece;
        if (rng() % 2 == 0) {
            for (unsigned n = rng() % 2000; n > 0; --n)
                piece += static_cast<char>(rng());
        } else {
            // Some runs are long and hold no ASCII.
            const bool longRun = rng() % 8 == 0;
            std::string text;
            for (unsigned n = longRun ? 20000 : rng() % 500; n > 0; --n) {
                const auto& range = ranges[longRun + rng() % (std::size(ranges) - longRun)];
                text += Utf8Of(range[0] + static_cast<char32_t>(rng() % (range[1] - range[0] + 1)));
            }
            piece = encodeGb18030(text);
            piece.resize(piece.size() - rng() % 3);
        }
        bytes += piece;
    }
    const std::string fast = decodeGb18030(bytes);
    const std::string slow = DecodeGb18030ByIconv(bytes);
    EXPECT_TRUE(fast == slow) << "first difference at byte "
                              << std::mismatch(fast.begin(), fast.end(), slow.begin(), slow.end()).first
            - fast.begin();
    // Read as a text, the same with each zero byte as U+FFFD and CR LF line breaks.
    std::string text;
    for (const char c : slow)
        text += c == '\0' ? std::string("\xEF\xBF\xBD") : std::string(1, c);
    EXPECT_TRUE(decodeTextBytes(bytes) == normalizeLineBreaks(text));
    // Short pieces end in every way a sequence can be cut off.
    for (int k = 0; k < 2000; ++k) {
        const std::string piece = bytes.substr(rng() % bytes.size(), rng() % 8);
        ASSERT_EQ(decodeGb18030(piece), DecodeGb18030ByIconv(piece)) << testing::PrintToString(piece);
    }
}

namespace {

const std::string kTooLarge = "：文件太大（超过64MB）";

// A stream that never ends: "123\n" over and over, as `yes 123` writes it.
class EndlessBuffer : public std::streambuf {
public:
    EndlessBuffer()
    {
        for (std::size_t i = 0; i + 4 <= m_chunk.size(); i += 4)
            m_chunk.replace(i, 4, "123\n");
    }

protected:
    int_type underflow() override
    {
        setg(m_chunk.data(), m_chunk.data(), m_chunk.data() + m_chunk.size());
        return traits_type::to_int_type(m_chunk[0]);
    }

private:
    std::string m_chunk = std::string(4096, ' ');
};

std::string ReadError(const std::function<void()>& read)
{
    try {
        read();
    } catch (const FileError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(DataFileRead, InputLimitOnRegularFilesBySize)
{
    TempDir dir;
    const std::string path = dir.File("big.ldf");
    struct Row {
        const char* name;
        off_t size;
        bool refused;
    } rows[] = {
        { "exactly the limit is read", static_cast<off_t>(kMaxInputBytes), false },
        { "one byte more is refused", static_cast<off_t>(kMaxInputBytes) + 1, true },
        { "a sparse 100 MB file is refused", off_t { 100 } << 20, true },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteBytes(path, "2004123,579,108,1,2\n");
        ASSERT_EQ(truncate(path.c_str(), row.size), 0);
        // The zeros that extend the file are read too, each as U+FFFD.
        const std::string error = ReadError(
            [&] { EXPECT_EQ(readTextFile(path).substr(0, 24), "2004123,579,108,1,2\r\n\xEF\xBF\xBD"); });
        EXPECT_EQ(error, row.refused ? "无法读取文件" + path + kTooLarge : "no error");
    }
}

TEST(DataFileRead, InputLimitOnPipesAndDevicesWhileReading)
{
    TempDir dir;
    // A FIFO fed by a child that never stops writing.
    const std::string fifo = dir.File("endless");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        const int fd = open(fifo.c_str(), O_WRONLY);
        const std::string chunk(65536, '7');
        while (write(fd, chunk.data(), chunk.size()) > 0) { }
        _exit(0);
    }
    EXPECT_EQ(ReadError([&] { readTextFile(fifo); }), "无法读取文件" + fifo + kTooLarge);
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);

    EXPECT_EQ(ReadError([] { readTextFile("/dev/zero"); }), "无法读取文件/dev/zero" + kTooLarge);

    EndlessBuffer endless;
    std::istream in(&endless);
    EXPECT_EQ(ReadError([&] { readText(in, "标准输入"); }), "无法读取文件标准输入" + kTooLarge);

    std::istringstream small(std::string("2004123,579,108,1,2\n\0junk", 25));
    EXPECT_EQ(readText(small, "标准输入"),
        "2004123,579,108,1,2\r\n\xEF\xBF\xBD"
        "junk");
}
