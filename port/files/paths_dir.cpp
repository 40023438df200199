/* paths_dir.cpp - reading a host folder in batches, and host names in code
 * page 932. */
#include <dirent.h>
#include <errno.h>
#include <stdlib.h>
#include <unistd.h>

#include "cp932.h"
#include "paths.h"

namespace lzport {

namespace {

const size_t kBatchBytes = 8192;

/* Length of the UTF-8 sequence that starts with `c` (0 when `c` cannot
 * start one). */
size_t Utf8SequenceLength(unsigned char c)
{
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return 2;
    if (c >= 0xE0 && c <= 0xEF)
        return 3;
    if (c >= 0xF0 && c <= 0xF4)
        return 4;
    return 0;
}

} // namespace

DirReader::DirReader(int fd) : m_fd(fd), m_buf(nullptr) {}

DirReader::~DirReader()
{
    if (m_fd >= 0)
        close(m_fd);
    free(m_buf);
}

const char *DirReader::Next()
{
    for (;;) {
        if (m_pos >= m_len) {
            if (m_fd < 0 || m_error)
                return nullptr;
            if (!m_buf && !(m_buf = (char *)malloc(kBatchBytes))) {
                m_error = ENOMEM;
                return nullptr;
            }
            ssize_t n = getdents64(m_fd, m_buf, kBatchBytes);
            if (n <= 0) {
                m_error = n < 0 ? errno : 0;
                m_len = m_pos = 0;
                return nullptr;
            }
            m_len = n;
            m_pos = 0;
        }
        struct dirent64 *d = (struct dirent64 *)(m_buf + m_pos);
        m_pos += d->d_reclen;
        const char *name = d->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        return name;
    }
}

void HostNameToCp932(std::string_view host, std::string &out)
{
    if (Utf8ToCp932(host, out))
        return;
    out.clear();
    std::string one;
    for (size_t i = 0; i < host.size();) {
        size_t len = Utf8SequenceLength((unsigned char)host[i]);
        bool whole = len != 0 && i + len <= host.size();
        for (size_t k = 1; whole && k < len; ++k)
            whole = ((unsigned char)host[i + k] & 0xC0) == 0x80;
        if (!whole) {
            out += '?'; /* a stray byte */
            ++i;
            continue;
        }
        out += Utf8ToCp932(host.substr(i, len), one) ? one : std::string("?");
        i += len;
    }
}

} // namespace lzport
