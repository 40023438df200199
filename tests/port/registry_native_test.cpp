/* registry_native_test.cpp - the registry of the native platform layer
 * beyond Win32: the files of its two hives, HKLM.reg and HKCU.reg (round
 * trip, hand edits, malformed files, atomic writes, several processes, one
 * hive beside the other), the Windows 95/98 behaviour, injected failures,
 * and the argument checks where Wine itself crashes. Every test runs on a
 * machine of its own. */
#include <dirent.h>
#include <ftw.h>
#include <gtest/gtest.h>
#include <iconv.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lzport.h"
#include "testenv.h"

namespace {

const HKEY kSentinelKey = (HKEY)(ULONG_PTR)0xdeadbeef;

int RemoveEntry(const char *path, const struct stat *, int, struct FTW *)
{
    if (rmdir(path) != 0)
        unlink(path);
    return 0;
}

HKEY Create(const char *path, REGSAM sam = KEY_ALL_ACCESS, DWORD *disposition = nullptr, HKEY root = HKEY_LOCAL_MACHINE)
{
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, path, 0, nullptr, 0, sam, nullptr, &key, disposition)) << path;
    return key;
}

LONG Open(const char *path, REGSAM sam, HKEY *key, HKEY root = HKEY_LOCAL_MACHINE)
{
    *key = kSentinelKey;
    return RegOpenKeyExA(root, path, 0, sam, key);
}

LONG SetBytes(HKEY key, const char *name, DWORD type, const std::string &data)
{
    return RegSetValueExA(key, name, 0, type, (const BYTE *)data.data(), (DWORD)data.size());
}

bool GetBytes(HKEY key, const char *name, DWORD &type, std::string &data)
{
    char buf[4096];
    DWORD size = sizeof buf;
    if (RegQueryValueExA(key, name, nullptr, &type, (BYTE *)buf, &size) != ERROR_SUCCESS)
        return false;
    data.assign(buf, size);
    return true;
}

std::vector<std::string> SubkeyNames(HKEY key)
{
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        names.push_back(name);
    }
}

bool IsUtf8(const std::string &text)
{
    iconv_t cd = iconv_open("UTF-8", "UTF-8");
    std::string out(text.size() + 1, '\0');
    char *in = const_cast<char *>(text.data()), *dst = &out[0];
    size_t inLeft = text.size(), outLeft = out.size();
    bool ok = iconv(cd, &in, &inLeft, &dst, &outLeft) != (size_t)-1 && inLeft == 0;
    iconv_close(cd);
    return ok;
}

class RegistryFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_saved = LzPortMachineDir();
        char dir[] = "/tmp/lzreg-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(dir));
        m_dir = dir;
        ASSERT_TRUE(LzPortUseMachine(m_dir.c_str()));
    }

    void TearDown() override
    {
        LzPortUseMachine(m_saved.c_str());
        nftw(m_dir.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    }

    std::string File(const char *name = "HKLM.reg") const { return m_dir + "/" + name; }

    std::string ReadFile(const char *name = "HKLM.reg") const
    {
        std::ifstream in(File(name), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    /* Replaces the file as an editor that saves through a new file does,
     * so that every version is a new inode. */
    void WriteFile(const std::string &text, const char *name = "HKLM.reg") const
    {
        std::string tmp = m_dir + "/edited";
        {
            std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
            out << text;
        }
        ASSERT_EQ(0, rename(tmp.c_str(), File(name).c_str()));
    }

    /* Starts the process afresh on the same machine: nothing cached. */
    void Reselect() const { ASSERT_TRUE(LzPortUseMachine(m_dir.c_str())); }

    void ExpectNoTemporaryFile() const
    {
        DIR *d = opendir(m_dir.c_str());
        ASSERT_NE(nullptr, d);
        while (struct dirent *e = readdir(d))
            EXPECT_EQ(nullptr, strstr(e->d_name, "tmp")) << e->d_name;
        closedir(d);
    }

    std::string m_saved, m_dir;
};

/* A hive of the machine: its predefined key, its file and its root's name. */
struct Hive {
    HKEY root;
    const char *file;
    const char *rootName;
};

const Hive kHives[] = {
    {HKEY_LOCAL_MACHINE, "HKLM.reg", "HKEY_LOCAL_MACHINE"},
    {HKEY_CURRENT_USER, "HKCU.reg", "HKEY_CURRENT_USER"},
};

/* The guarantees every hive's file gives, tested on each. */
class HiveFileTest : public RegistryFileTest, public testing::WithParamInterface<Hive> {
protected:
    HKEY Root() const { return GetParam().root; }
    const char *Name() const { return GetParam().file; }
    /* `text` with each "[ROOT" naming the hive's root, and each "[root"
     * naming it in lower case. */
    std::string Rooted(std::string text) const
    {
        std::string name = GetParam().rootName, lower = name;
        for (char &c : lower)
            c = (char)tolower((unsigned char)c);
        for (size_t at; (at = text.find("[ROOT")) != std::string::npos;)
            text.replace(at + 1, 4, name);
        for (size_t at; (at = text.find("[root")) != std::string::npos;)
            text.replace(at + 1, 4, lower);
        return text;
    }
    HKEY Create(const char *path, REGSAM sam = KEY_ALL_ACCESS, DWORD *disposition = nullptr) const
    {
        return ::Create(path, sam, disposition, Root());
    }
    LONG Open(const char *path, REGSAM sam, HKEY *key) const { return ::Open(path, sam, key, Root()); }
    std::string File() const { return RegistryFileTest::File(Name()); }
    std::string ReadFile() const { return RegistryFileTest::ReadFile(Name()); }
    void WriteFile(const std::string &text) const { RegistryFileTest::WriteFile(text, Name()); }
};

struct StoredValue {
    const char *name;
    DWORD type;
    std::string data;
    const char *line; /* as the file must show it (UTF-8) */
};

TEST_P(HiveFileTest, EveryKindOfValueSurvivesTheFile)
{
    const StoredValue values[] = {
        {"Path", REG_SZ, std::string("C:\\Program Files\\ソフト\\\"q\"") + '\0',
         u8R"("Path"="C:\\Program Files\\ソフト\\\"q\"")"},
        {"名前\\\"", REG_SZ, std::string("ｱｲｳ") + '\0', u8R"("名前\\\""="ｱｲｳ")"},
        {"", REG_SZ, std::string("既定") + '\0', u8R"(@="既定")"},
        {"Count", REG_DWORD, std::string("\x2a\0\0\x80", 4), u8R"("Count"=dword:8000002a)"},
        {"Expand", REG_EXPAND_SZ, std::string("%WINDIR%\\ソ") + '\0',
         u8R"("Expand"=hex(2):25,57,49,4e,44,49,52,25,5c,83,5c,00)"},
        {"Multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5), u8R"("Multi"=hex(7):61,00,62,00,00)"},
        {"Empty", REG_SZ, "", u8R"("Empty"=hex(1):)"},
        {"Odd", REG_DWORD, "\x01\x02", u8R"("Odd"=hex(4):01,02)"},
        {"Inner", REG_SZ, std::string("a\0b\0", 4), u8R"("Inner"=hex(1):61,00,62,00)"},
        {"Lines", REG_SZ, std::string("a\r\nb") + '\0', u8R"("Lines"=hex(1):61,0d,0a,62,00)"},
        {"Blob", REG_BINARY, std::string(100, '\xfe'), nullptr},
    };
    HKEY key = Create("SoftWare\\VEMO\\ソフト表");
    for (const StoredValue &v : values)
        ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, v.name, v.type, v.data)) << v.name;
    RegCloseKey(key);
    RegCloseKey(Create("SoftWare\\Empty"));

    std::string text = ReadFile();
    EXPECT_EQ(0u, text.find("REGEDIT4\n"));
    EXPECT_TRUE(IsUtf8(text));
    EXPECT_NE(std::string::npos, text.find(Rooted(u8"\n[ROOT\\SoftWare\\VEMO\\ソフト表]\n"))) << text;
    EXPECT_NE(std::string::npos, text.find(Rooted("\n[ROOT\\SoftWare\\Empty]\n"))) << text;
    for (const StoredValue &v : values) {
        if (v.line) {
            EXPECT_NE(std::string::npos, text.find(std::string("\n") + v.line + "\n")) << v.line << "\n" << text;
        }
    }
    EXPECT_NE(std::string::npos, text.find("fe,fe,\\\n  fe,")) << "long hex lists continue on the next line";

    Reselect();
    ASSERT_EQ(ERROR_SUCCESS, Open("SOFTWARE\\vemo\\ソフト表", KEY_READ, &key));
    for (const StoredValue &v : values) {
        DWORD type = 0;
        std::string data;
        EXPECT_TRUE(GetBytes(key, v.name, type, data)) << v.name;
        EXPECT_EQ(v.type, type) << v.name;
        EXPECT_EQ(v.data, data) << v.name;
    }
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, Open("SoftWare", KEY_READ, &key));
    EXPECT_EQ((std::vector<std::string>{"Empty", "VEMO"}), SubkeyNames(key));
    RegCloseKey(key);
}

TEST_P(HiveFileTest, AHandEditedFileIsReadAgain)
{
    WriteFile(Rooted(u8"REGEDIT4\r\n\r\n; written by hand\r\n"
                     u8"[root\\SoftWare\\VEMO\\LumeoZelcor\\1.0]\r\n"
                     u8"\"DIRECTORY\" = \"C:\\\\ルメオ\"\r\n"
                     u8"\"Data\"=hex:01,02,\\\r\n    03\r\n"));
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, Open("SoftWare\\VEMO\\LumeoZelcor\\1.0", KEY_READ, &key));
    DWORD type;
    std::string data;
    EXPECT_TRUE(GetBytes(key, "DIRECTORY", type, data));
    EXPECT_EQ(std::string("C:\\ルメオ") + '\0', data);
    EXPECT_TRUE(GetBytes(key, "Data", type, data));
    EXPECT_EQ("\x01\x02\x03", data);

    /* the open handle follows the file */
    WriteFile(Rooted("REGEDIT4\n[ROOT\\SoftWare\\VEMO\\LumeoZelcor\\1.0]\n\"DIRECTORY\"=\"D:\\\\x\"\n"));
    EXPECT_TRUE(GetBytes(key, "DIRECTORY", type, data));
    EXPECT_EQ(std::string("D:\\x") + '\0', data);

    WriteFile(Rooted("REGEDIT4\n[ROOT\\SoftWare\\VEMO]\n"));
    EXPECT_FALSE(GetBytes(key, "DIRECTORY", type, data));
    char buf[8];
    DWORD size = sizeof buf;
    EXPECT_EQ(ERROR_KEY_DELETED, RegQueryValueExA(key, "DIRECTORY", nullptr, nullptr, (BYTE *)buf, &size));
    RegCloseKey(key);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Open("SoftWare\\VEMO\\LumeoZelcor", KEY_READ, &key));
}

/* Code page 932 has no yen sign of its own: U+00A5 becomes its backslash,
 * so in a key path it separates names like one. */
TEST_P(HiveFileTest, AYenSignInAKeyPathSeparatesNames)
{
    WriteFile(Rooted(u8"REGEDIT4\n[ROOT\\SoftWare¥VEMO]\n\"v\"=\"¥\"\n"));
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, Open("SoftWare\\VEMO", KEY_ALL_ACCESS, &key));
    DWORD type;
    std::string data;
    EXPECT_TRUE(GetBytes(key, "v", type, data));
    EXPECT_EQ(std::string("\\") + '\0', data);
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "w", 0, REG_SZ, (const BYTE *)"", 1));
    RegCloseKey(key);
    EXPECT_NE(std::string::npos, ReadFile().find(Rooted("\n[ROOT\\SoftWare\\VEMO]\n"))) << ReadFile();
}

TEST_P(HiveFileTest, AMalformedFileIsReportedAndMakesEveryCallFail)
{
    const std::string section = Rooted("REGEDIT4\n[ROOT\\a]\n");
    struct Case {
        std::string text;
        int line;
    } cases[] = {
        {"REGEDIT5\n", 1},
        {"", 1},
        {"\n \r\n", 1},
        {"\nREGEDIT4\n\"x\"=\"y\"\n", 3},
        {"REGEDIT4\n[HKEY_USERS\\a]\n", 2},
        {Rooted("REGEDIT4\n[ROOT\\a\n"), 2},
        {Rooted("REGEDIT4\n[ROOT\\a\\\\b]\n"), 2},
        {section + "\"x\"=\"unterminated\n", 3},
        {section + "\"x\"=\"bad \\n escape\"\n", 3},
        {section + "\"x\"=\"text\" after\n", 3},
        {section + "\"x\" \"y\"\n", 3},
        {section + "\"x\"=dword:123456789\n", 3},
        {section + "\"x\"=hex:01,0g\n", 3},
        {section + "\"x\"=hex:01,\n", 3},
        {section + "\"x\"=str:\"y\"\n", 3},
        {section + "\n\"x\"=hex:01,\\\n", 4},
        {section + "\"\xff\"=\"y\"\n", 3},
        {section + "garbage\n", 3},
    };
    HKEY before = Create("a");
    for (const Case &c : cases) {
        WriteFile(c.text);
        HKEY key = kSentinelKey;
        DWORD size = 0;
        char name[8];
        DWORD length = sizeof name;
        EXPECT_EQ(ERROR_REGISTRY_CORRUPT, Open("a", KEY_READ, &key)) << c.text;
        std::string message = LzPortLastMessage();
        EXPECT_NE(std::string::npos, message.find(File() + ":" + std::to_string(c.line) + ":"))
            << c.text << "\ngave: " << message;
        EXPECT_EQ(ERROR_REGISTRY_CORRUPT,
                  RegCreateKeyExA(Root(), "b", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        EXPECT_EQ(ERROR_REGISTRY_CORRUPT, RegQueryValueExA(before, "x", nullptr, nullptr, nullptr, &size));
        EXPECT_EQ(ERROR_REGISTRY_CORRUPT, RegSetValueExA(before, "x", 0, REG_SZ, (const BYTE *)"", 1));
        EXPECT_EQ(ERROR_REGISTRY_CORRUPT, RegDeleteValueA(before, "x"));
        EXPECT_EQ(ERROR_REGISTRY_CORRUPT, RegEnumKeyExA(Root(), 0, name, &length, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(ERROR_REGISTRY_CORRUPT, RegDeleteKeyA(Root(), "a"));
        EXPECT_EQ(c.text, ReadFile()) << "a broken file is never overwritten";
    }
    WriteFile(section + "\"x\"=\"repaired\"\n");
    std::string value;
    EXPECT_TRUE(lztest::RegGetSz("a", "x", value, nullptr, Root()));
    EXPECT_EQ("repaired", value);
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(before, "y", 0, REG_SZ, (const BYTE *)"", 1))
        << "a handle from before works again";
    RegCloseKey(before);
}

TEST_P(HiveFileTest, WritesLeaveNoTemporaryFile)
{
    HKEY key = Create("SoftWare\\x");
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(ERROR_SUCCESS, SetBytes(key, "v", REG_BINARY, std::string(i, 'x')));
    RegCloseKey(key);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(Root(), "SoftWare\\x"));
    ExpectNoTemporaryFile();
}

/* A writer killed at any moment leaves a file that parses and holds one of
 * the values it wrote whole: size n + 1 bytes, each the byte n. */
TEST_P(HiveFileTest, AWriterKilledAtAnyMomentLeavesAWholeFile)
{
    for (int round = 0; round < 12; ++round) {
        int ready[2];
        ASSERT_EQ(0, pipe(ready));
        pid_t child = fork();
        ASSERT_NE(-1, child);
        if (child == 0) {
            HKEY key = Create("SoftWare\\Loop");
            for (int i = 0; i < 200000; ++i) {
                int n = (i * 7919 + round) % 600;
                if (SetBytes(key, "v", REG_BINARY, std::string(n + 1, (char)n)) != ERROR_SUCCESS)
                    _exit(1);
                if (i == 0 && write(ready[1], "!", 1) != 1)
                    _exit(1);
            }
            _exit(0);
        }
        close(ready[1]);
        char byte;
        ASSERT_EQ(1, read(ready[0], &byte, 1)) << "the writer's first write failed";
        close(ready[0]);
        usleep(200 + round * 700); /* only varies where the kill lands */
        kill(child, SIGKILL);
        int status;
        waitpid(child, &status, 0);

        Reselect();
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, Open("SoftWare\\Loop", KEY_READ, &key)) << "round " << round;
        DWORD type;
        std::string data;
        ASSERT_TRUE(GetBytes(key, "v", type, data));
        RegCloseKey(key);
        ASSERT_FALSE(data.empty());
        EXPECT_EQ(std::string(data.size(), (char)(data.size() - 1)), data) << "round " << round;
    }
    RegCloseKey(Create("SoftWare\\After"));
    ExpectNoTemporaryFile();
}

TEST_P(HiveFileTest, TwoProcessesWritingAtOnceLoseNothing)
{
    HKEY doomed = Create("SoftWare\\Race\\doomed");
    pid_t child = fork();
    ASSERT_NE(-1, child);
    const char *who = child == 0 ? "child" : "parent";
    for (int i = 0; i < 60; ++i) {
        std::string path = std::string("SoftWare\\Race\\") + who + std::to_string(i);
        HKEY key = nullptr;
        LONG rc = RegCreateKeyExA(Root(), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (child == 0 && rc != ERROR_SUCCESS)
            _exit(1);
        RegCloseKey(key);
    }
    if (child == 0)
        _exit(RegDeleteKeyA(Root(), "SoftWare\\Race\\doomed") == ERROR_SUCCESS ? 0 : 1);
    int status;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    HKEY race;
    ASSERT_EQ(ERROR_SUCCESS, Open("SoftWare\\Race", KEY_READ, &race));
    EXPECT_EQ(120u, SubkeyNames(race).size());
    RegCloseKey(race);
    EXPECT_EQ(ERROR_KEY_DELETED, RegSetValueExA(doomed, "x", 0, REG_SZ, (const BYTE *)"", 1))
        << "the other process deleted the key";
    RegCloseKey(doomed);
}

INSTANTIATE_TEST_SUITE_P(Hives, HiveFileTest, testing::ValuesIn(kHives), [](const testing::TestParamInfo<Hive> &info) {
    return std::string(info.param.root == HKEY_LOCAL_MACHINE ? "LocalMachine" : "CurrentUser");
});

bool FileExists(const std::string &path) { return access(path.c_str(), F_OK) == 0; }

TEST_F(RegistryFileTest, TheCurrentUserIsEmptyUntilWrittenAndKeptApart)
{
    char name[64];
    DWORD length = sizeof name;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS,
              RegEnumKeyExA(HKEY_CURRENT_USER, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(Create("SoftWare\\Machine"));
    HKEY key;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Open("SoftWare", KEY_READ, &key, HKEY_CURRENT_USER));
    EXPECT_FALSE(FileExists(File("HKCU.reg"))) << "reading writes nothing";

    const char *folders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    key = Create(folders, KEY_ALL_ACCESS, nullptr, HKEY_CURRENT_USER);
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Personal", 0, REG_SZ, (const BYTE *)"C:\\My Documents", 16));
    RegCloseKey(key);
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(HKEY_CURRENT_USER, "AtTheRoot", 0, REG_SZ, (const BYTE *)"x", 2));

    std::string user = ReadFile("HKCU.reg");
    EXPECT_EQ(0u, user.find("REGEDIT4\n\n[HKEY_CURRENT_USER]\n\"AtTheRoot\"=\"x\"\n")) << user;
    EXPECT_NE(std::string::npos,
              user.find("\n[HKEY_CURRENT_USER\\" + std::string(folders) + "]\n\"Personal\"=\"C:\\\\My Documents\"\n"))
        << user;
    EXPECT_EQ(std::string::npos, user.find("Machine"));
    EXPECT_EQ(std::string::npos, ReadFile().find("Shell Folders"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Open("Software\\Microsoft", KEY_READ, &key));

    Reselect();
    std::string value;
    EXPECT_TRUE(lztest::RegGetSz(folders, "Personal", value, nullptr, HKEY_CURRENT_USER));
    EXPECT_EQ("C:\\My Documents", value);
}

TEST_F(RegistryFileTest, AMalformedHiveLeavesTheOtherAlone)
{
    HKEY machine = Create("SoftWare\\Machine");
    HKEY user = Create("Software\\User", KEY_ALL_ACCESS, nullptr, HKEY_CURRENT_USER);
    /* each file holds only keys below its own root */
    WriteFile("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n", "HKCU.reg");

    HKEY key;
    EXPECT_EQ(ERROR_REGISTRY_CORRUPT, Open("Software", KEY_READ, &key, HKEY_CURRENT_USER));
    EXPECT_NE(std::string::npos, std::string(LzPortLastMessage()).find(File("HKCU.reg") + ":2:"))
        << LzPortLastMessage();
    EXPECT_EQ(ERROR_REGISTRY_CORRUPT, RegSetValueExA(user, "v", 0, REG_SZ, (const BYTE *)"", 1));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(machine, "v", 0, REG_SZ, (const BYTE *)"", 1));
    EXPECT_EQ(ERROR_SUCCESS, Open("SoftWare\\Machine", KEY_READ, &key));
    RegCloseKey(key);

    WriteFile("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\User]\n", "HKCU.reg");
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(user, "v", 0, REG_SZ, (const BYTE *)"", 1));
    EXPECT_TRUE(lztest::RegValueExists("SoftWare\\Machine", "v"));
    RegCloseKey(user);
    RegCloseKey(machine);
}

TEST_F(RegistryFileTest, Windows9xDeletesWholeTreesAndIgnoresRights)
{
    ASSERT_TRUE(LzPortSetPlatform(VER_PLATFORM_WIN32_WINDOWS));
    RegCloseKey(Create("SoftWare\\VEMO\\LumeoZelcor\\1.0\\Sub\\Deeper"));
    HKEY inner = Create("SoftWare\\VEMO\\LumeoZelcor\\1.0");
    HKEY vemo = Create("SoftWare\\VEMO", KEY_READ);

    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(vemo, "set", 0, REG_SZ, (const BYTE *)"through KEY_READ", 1))
        << "95/98 keys carry no security";
    std::string value;
    EXPECT_TRUE(lztest::RegGetSz("SoftWare\\VEMO", "set", value));
    EXPECT_EQ("through KEY_READ", value) << "95/98 measure REG_SZ data themselves";

    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(vemo, "LumeoZelcor"));
    EXPECT_FALSE(lztest::RegKeyExists("SoftWare\\VEMO\\LumeoZelcor"));
    EXPECT_TRUE(lztest::RegKeyExists("SoftWare\\VEMO"));
    EXPECT_EQ(ERROR_KEY_DELETED, RegSetValueExA(inner, "x", 0, REG_SZ, (const BYTE *)"", 1));
    RegCloseKey(inner);

    RegCloseKey(Create("\\SoftWare\\Leading")); /* one leading backslash is overlooked */
    EXPECT_TRUE(lztest::RegKeyExists("SoftWare\\Leading"));
    RegCloseKey(vemo);
}

TEST_F(RegistryFileTest, DeniedWriteAccess)
{
    RegCloseKey(Create("SoftWare\\Locked"));
    LzPortRegDenyWrite("software\\LOCKED", TRUE);
    HKEY key;
    struct Case {
        REGSAM sam;
        LONG expected;
    } opens[] = {
        {KEY_READ, ERROR_SUCCESS},
        {KEY_ALL_ACCESS, ERROR_ACCESS_DENIED},
        {KEY_SET_VALUE, ERROR_ACCESS_DENIED},
        {KEY_CREATE_SUB_KEY, ERROR_ACCESS_DENIED},
        {DELETE, ERROR_ACCESS_DENIED},
    };
    for (const Case &c : opens) {
        EXPECT_EQ(c.expected, Open("SoftWare\\Locked", c.sam, &key)) << std::hex << c.sam;
        if (c.expected == ERROR_SUCCESS) {
            RegCloseKey(key);
        } else {
            EXPECT_EQ(nullptr, key);
        }
    }
    DWORD disp = 0;
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SoftWare\\Locked", 0, nullptr, 0,
                                                   KEY_ALL_ACCESS, nullptr, &key, &disp));
    RegCloseKey(Create("SoftWare\\Locked", KEY_READ, &disp));
    EXPECT_EQ((DWORD)REG_OPENED_EXISTING_KEY, disp);
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SoftWare\\Locked"));

    /* a key not there yet is refused before anything is made */
    LzPortRegDenyWrite("SoftWare\\New\\Key", TRUE);
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SoftWare\\New\\Key", 0, nullptr, 0,
                                                   KEY_ALL_ACCESS, nullptr, &key, nullptr));
    EXPECT_FALSE(lztest::RegKeyExists("SoftWare\\New"));

    LzPortRegDenyWrite("SoftWare\\Locked", FALSE);
    EXPECT_EQ(ERROR_SUCCESS, Open("SoftWare\\Locked", KEY_ALL_ACCESS, &key));
    RegCloseKey(key);
    LzPortRegResetFaults();
    RegCloseKey(Create("SoftWare\\New\\Key"));
}

TEST_F(RegistryFileTest, AFailedCloseKeepsTheHandle)
{
    HKEY key = Create("SoftWare\\Close");
    LzPortRegFailNextClose();
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(key));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "still", 0, REG_SZ, (const BYTE *)"", 1));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(key));
}

TEST_F(RegistryFileTest, InjectedEnumerationFailures)
{
    HKEY key = Create("SoftWare\\Enum");
    for (const char *name : {"a", "b", "c"})
        RegCloseKey(Create((std::string("SoftWare\\Enum\\") + name).c_str()));
    auto results = [&](DWORD count) {
        std::vector<LONG> rcs;
        for (DWORD i = 0; i < count; ++i) {
            char name[256];
            DWORD length = sizeof name;
            rcs.push_back(RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr));
        }
        return rcs;
    };
    LzPortRegFailEnum(1, ERROR_MORE_DATA, FALSE);
    EXPECT_EQ((std::vector<LONG>{0, ERROR_MORE_DATA, 0, ERROR_NO_MORE_ITEMS}), results(4));
    LzPortRegFailEnum(1, ERROR_KEY_DELETED, TRUE);
    EXPECT_EQ((std::vector<LONG>{0, ERROR_KEY_DELETED, ERROR_KEY_DELETED, ERROR_KEY_DELETED, ERROR_KEY_DELETED}),
              results(5));
    LzPortRegResetFaults();
    EXPECT_EQ((std::vector<LONG>{0, 0, 0, ERROR_NO_MORE_ITEMS}), results(4));
    RegCloseKey(key);
}

TEST_F(RegistryFileTest, SelectingTheMachineDropsHandlesAndFaults)
{
    HKEY key = Create("SoftWare\\Kept");
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "v", 0, REG_SZ, (const BYTE *)"x", 2));
    LzPortRegDenyWrite("SoftWare\\Kept", TRUE);
    LzPortRegFailNextClose();
    Reselect();
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(key));
    EXPECT_EQ(ERROR_SUCCESS, Open("SoftWare\\Kept", KEY_ALL_ACCESS, &key));
    EXPECT_TRUE(lztest::RegValueExists("SoftWare\\Kept", "v"));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(key));
}

/* What only this registry decides: the calls where Wine 8 faults (a
 * missing out-pointer: ERROR_INVALID_PARAMETER here), the class arguments
 * of an enumeration (no caller asks for a class: refused), the other
 * predefined keys, names the file could not hold, and the disposition of
 * an empty path. */
TEST_F(RegistryFileTest, ArgumentsWineDoesNotCheck)
{
    RegCloseKey(Create("a"));
    char name[8], keyClass[8];
    DWORD length = sizeof name, classLength = sizeof keyClass;
    const struct {
        const char *what;
        LONG rc, expected;
    } rows[] = {
        {"open without a result", RegOpenKeyExA(HKEY_LOCAL_MACHINE, "a", 0, KEY_READ, nullptr),
         ERROR_INVALID_PARAMETER},
        {"create without a result",
         RegCreateKeyExA(HKEY_LOCAL_MACHINE, "a", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, nullptr, nullptr),
         ERROR_INVALID_PARAMETER},
        {"enumerate without a name",
         RegEnumKeyExA(HKEY_LOCAL_MACHINE, 0, nullptr, &length, nullptr, nullptr, nullptr, nullptr),
         ERROR_INVALID_PARAMETER},
        {"enumerate without a length",
         RegEnumKeyExA(HKEY_LOCAL_MACHINE, 0, name, nullptr, nullptr, nullptr, nullptr, nullptr),
         ERROR_INVALID_PARAMETER},
        {"enumerate with a class",
         RegEnumKeyExA(HKEY_LOCAL_MACHINE, 0, name, &length, nullptr, keyClass, &classLength, nullptr),
         ERROR_INVALID_PARAMETER},
        {"enumerate with a class length",
         RegEnumKeyExA(HKEY_LOCAL_MACHINE, 0, name, &length, nullptr, nullptr, &classLength, nullptr),
         ERROR_INVALID_PARAMETER},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.expected, row.rc) << row.what;
    EXPECT_EQ(sizeof keyClass, classLength);

    HKEY key = kSentinelKey;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_USERS, ".DEFAULT", 0, KEY_READ, &key));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegCreateKeyExA(HKEY_USERS, "Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_USERS, "", 0, KEY_READ, &key));
    EXPECT_EQ(HKEY_USERS, key);
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_USERS));

    EXPECT_EQ(ERROR_INVALID_PARAMETER,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, "tab\there", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    key = Create("SoftWare");
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegSetValueExA(key, "line\nbreak", 0, REG_SZ, (const BYTE *)"", 1));
    /* an empty or missing path opens the key itself, which existed: Wine 8
     * reports it created */
    for (const char *path : {"", (const char *)nullptr}) {
        HKEY self = nullptr;
        DWORD disp = 0;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key, path, 0, nullptr, 0, KEY_READ, nullptr, &self, &disp));
        EXPECT_EQ((DWORD)REG_OPENED_EXISTING_KEY, disp);
        RegCloseKey(self);
    }
    RegCloseKey(key);
}

} // namespace
