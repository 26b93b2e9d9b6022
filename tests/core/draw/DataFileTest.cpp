#include "core/draw/DataFile.h"
#include "TempDir.h"
#include "core/draw/TextEncoding.h"

#include <csignal>
#include <gtest/gtest.h>
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
    writeDrawTextFile(path, readDrawTextFile(path));
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
        { "zero byte ends the text", std::string("ab\nc\0d\ne", 9), "ab\r\nc" },
        { "bad GB byte becomes one replacement",
            "a\x80"
            "b",
            "a\xEF\xBF\xBD"
            "b" },
        { "empty", "", "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteBytes(dir.File("in.txt"), row.bytes);
        EXPECT_EQ(readDrawTextFile(dir.File("in.txt")), row.text);
    }
}

TEST(DataFileRead, MissingFileIsAFileError)
{
    TempDir dir;
    try {
        readDrawTextFile(dir.File("none.ldf"));
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
    // Anything else is normalised on save: CR LF, GB18030, cut at a zero byte.
    EXPECT_EQ(RoundTrip(dir, "a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(RoundTrip(dir, kUtf8KaiJiang + "\n"), kGbKaiJiang + "\r\n");
    EXPECT_EQ(RoundTrip(dir, std::string("a\r\nb\0c", 6)), "a\r\nb");
}

TEST(DataFileRoundTrip, RealHistory)
{
    const std::string source = std::string(VELMORA_DATA_DIR) + "/3d-history.txt";
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
            writeDrawTextFile(path, std::string(100000, 'x'));
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
    EXPECT_THROW(writeDrawTextFile(path, "new"), FileError);
    EXPECT_EQ(ReadBytes(path), "old");
}

TEST(DataFileWrite, MissingFolderIsAFileError)
{
    TempDir dir;
    EXPECT_THROW(writeDrawTextFile(dir.File("no/such/lotdata.ldf"), "x"), FileError);
}

TEST(DataFileWrite, KeepsModeAndFollowsSymlink)
{
    TempDir dir;
    const std::string real = dir.File("real.ldf");
    const std::string link = dir.File("link.ldf");
    WriteBytes(real, "old");
    chmod(real.c_str(), 0640);
    ASSERT_EQ(symlink("real.ldf", link.c_str()), 0);
    writeDrawTextFile(link, "new");
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
