/* sample_install.cpp - making and taking away the sample installation.
 * Paths are built from their components and never split again, since a
 * double-byte character may end in a backslash byte. */
#include "sample_install.h"

#include <windows.h>

#include <algorithm>

#include "testenv.h"

namespace e2e {

const char kCompanyKey[] = "SoftWare\\VEMO";
const char kProductKey[] = "SoftWare\\VEMO\\LumeoZelcor";
const char kVersionKey[] = "SoftWare\\VEMO\\LumeoZelcor\\1.0";
const char kUninstallEntry[] = "SoftWare\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LumeoZelcor";

namespace {

/* the group's folder, one component after the other below the Windows folder */
const std::vector<std::string> &GroupComponents(GroupWidth width)
{
    static const std::vector<std::string> half = {"Profiles", "All Users", "ｽﾀｰﾄ ﾒﾆｭｰ", "ﾌﾟﾛｸﾞﾗﾑ",
                                                  "ルメオ ゼルコアバージョン"};
    static const std::vector<std::string> full = {"Profiles", "All Users", "スタート メニュー", "プログラム",
                                                  "ルメオ ゼルコアバージョン"};
    return width == GroupWidth::Half ? half : full;
}

const char *const kGroupFiles[] = {"ルメオ ゼルコアバージョン.lnk", "ｱﾝｲﾝｽﾄｰﾙ.lnk"};

/* the installation folder's contents; the stock book is "StockBook" */
const char *const kInstallFolders[] = {"Data", "表示", "StockBook", "StockBook\\Sub"};
const char *const kInstallFiles[] = {"LZ7300.EXE",   "ソフト.ini",           "Data\\sample.dat",
                                     "表示\\表.txt", "StockBook\\book1.lzb", "StockBook\\Sub\\page.lzp"};

std::string WindowsDir()
{
    char dir[MAX_PATH];
    UINT n = GetWindowsDirectoryA(dir, sizeof dir);
    return n && n < sizeof dir ? std::string(dir, n) : std::string();
}

} // namespace

SampleInstall::SampleInstall(const std::string &root)
    : m_windowsDir(WindowsDir()), m_vendorDir(root + "\\VEMO"), m_installDir(m_vendorDir + "\\ゼルコアソフト"),
      m_stockBook(m_installDir + "\\StockBook"), m_companyExisted(false)
{
    lztest::RegDeleteTree(kProductKey);
    lztest::RegDeleteTree(kUninstallEntry);
    m_companyExisted = lztest::RegKeyExists(kCompanyKey);
    for (GroupWidth width : {GroupWidth::Half, GroupWidth::Full}) {
        lztest::ForceRemoveTree(Group(width));
        /* the outermost folder on the way that is not there yet */
        std::string path = m_windowsDir;
        for (const std::string &component : GroupComponents(width)) {
            path += "\\" + component;
            if (!lztest::Exists(path)) {
                if (std::find(m_madeFolders.begin(), m_madeFolders.end(), path) == m_madeFolders.end())
                    m_madeFolders.push_back(path);
                break;
            }
        }
    }
}

SampleInstall::~SampleInstall()
{
    lztest::RegDeleteTree(kProductKey);
    lztest::RegDeleteTree(kUninstallEntry);
    if (!m_companyExisted)
        lztest::RegDeleteTree(kCompanyKey);
    for (const std::string &folder : m_madeFolders)
        lztest::ForceRemoveTree(folder);
    lztest::ForceRemoveTree(m_vendorDir);
}

std::string SampleInstall::Group(GroupWidth width) const
{
    std::string path = m_windowsDir;
    for (const std::string &component : GroupComponents(width))
        path += "\\" + component;
    return path;
}

bool SampleInstall::AddFolder(const std::string &path)
{
    if (!CreateDirectoryA(path.c_str(), NULL))
        return false;
    m_items.push_back({Item::Folder, path, "", ""});
    return true;
}

bool SampleInstall::AddFile(const std::string &path)
{
    if (!lztest::WriteFileText(path, path))
        return false;
    m_items.push_back({Item::File, path, "", ""});
    return true;
}

bool SampleInstall::AddValue(const std::string &key, const std::string &name, const std::string &data)
{
    if (!lztest::RegSetSz(key, name.c_str(), data))
        return false;
    m_items.push_back({Item::Value, key, name, data});
    return true;
}

bool SampleInstall::Create(GroupWidth group)
{
    if (m_windowsDir.empty() || !CreateDirectoryA(m_vendorDir.c_str(), NULL) || !AddFolder(m_installDir))
        return false;
    for (const char *folder : kInstallFolders) {
        if (!AddFolder(m_installDir + "\\" + folder))
            return false;
    }
    for (const char *file : kInstallFiles) {
        if (!AddFile(m_installDir + "\\" + file))
            return false;
    }

    const std::vector<std::string> &components = GroupComponents(group);
    std::string path = m_windowsDir;
    for (size_t i = 0; i + 1 < components.size(); ++i) {
        path += "\\" + components[i];
        if (!CreateDirectoryA(path.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    path += "\\" + components.back();
    if (!AddFolder(path))
        return false;
    for (const char *file : kGroupFiles) {
        if (!AddFile(path + "\\" + file))
            return false;
    }

    return AddValue(kProductKey, "StockBookPath", m_stockBook) && AddValue(kVersionKey, "DIRECTORY", m_installDir) &&
           AddValue(std::string(kVersionKey) + "\\Settings", "Window", "0 0 640 480") &&
           AddValue(std::string(kVersionKey) + "\\Recent", "File1", m_stockBook + "\\book1.lzb") &&
           AddValue(kUninstallEntry, "DisplayName", "ルメオ ゼルコアバージョン") &&
           AddValue(kUninstallEntry, "UninstallString", "LZUNINSTALL.EXE");
}

std::vector<std::string> SampleInstall::Missing(const std::string &below) const
{
    std::vector<std::string> missing;
    for (const Item &item : m_items) {
        if (!below.empty() && (item.kind == Item::Value || item.path.compare(0, below.size(), below) != 0 ||
                               (item.path.size() > below.size() && item.path[below.size()] != '\\')))
            continue;
        std::string data;
        switch (item.kind) {
        case Item::Folder:
            if (!lztest::IsDir(item.path))
                missing.push_back("folder " + item.path);
            break;
        case Item::File:
            if (!lztest::Exists(item.path))
                missing.push_back("file " + item.path);
            break;
        case Item::Value:
            if (!lztest::RegGetSz(item.path, item.name.c_str(), data) || data != item.data)
                missing.push_back("value " + item.path + " " + item.name);
            break;
        }
    }
    return missing;
}

} // namespace e2e
