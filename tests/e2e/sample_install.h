/* sample_install.h - a sample installation of the product in the test
 * prefix, as its installer leaves it: the registry keys and values, the
 * installation folder with the stock book inside, and the Start-menu group
 * below the Windows folder. Folder and file names include double-byte
 * characters whose second byte is a backslash. */
#ifndef LZE2E_SAMPLE_INSTALL_H
#define LZE2E_SAMPLE_INSTALL_H

#include <string>
#include <vector>

namespace e2e {

/* registry keys below HKEY_LOCAL_MACHINE */
extern const char kCompanyKey[];
extern const char kProductKey[];
extern const char kVersionKey[];
extern const char kUninstallEntry[];

/* The Start-menu group in the NT layout, with the Start menu and its
 * program folder named in half-width or in full-width katakana. */
enum class GroupWidth { Half, Full };

class SampleInstall {
public:
    /* Takes away whatever an earlier run may have left. The installation
     * folder is made below `root`. */
    explicit SampleInstall(const std::string &root);
    /* Takes everything away again, with the keys and folders above the
     * product's own that Create had to make. */
    ~SampleInstall();
    SampleInstall(const SampleInstall &) = delete;
    SampleInstall &operator=(const SampleInstall &) = delete;

    /* Registers the product and makes its folders, files and Start-menu
     * group. */
    bool Create(GroupWidth group = GroupWidth::Half);

    const std::string &InstallDir() const { return m_installDir; }
    const std::string &StockBook() const { return m_stockBook; }
    std::string Group(GroupWidth width) const;

    /* Everything Create made that is no longer there, one line each; with
     * `below`, only the folders and files at or below that folder. */
    std::vector<std::string> Missing(const std::string &below = std::string()) const;

private:
    struct Item {
        enum Kind { Folder, File, Value } kind;
        std::string path; /* a full path, or a key below HKEY_LOCAL_MACHINE */
        std::string name; /* of the value */
        std::string data; /* of the value */
    };
    bool AddFolder(const std::string &path);
    bool AddFile(const std::string &path);
    bool AddValue(const std::string &key, const std::string &name, const std::string &data);

    std::string m_windowsDir;
    std::string m_vendorDir; /* holds the installation folder */
    std::string m_installDir;
    std::string m_stockBook;
    bool m_companyExisted;
    std::vector<std::string> m_madeFolders; /* outermost folders made for the groups */
    std::vector<Item> m_items;
};

} // namespace e2e

#endif
