/* message_box.cpp - reading a message box of another process. */
#include "message_box.h"

#include <algorithm>
#include <cstdlib>

#include "window_ops.h"

namespace e2e {

namespace {

/* control ids of the system's message box */
const int kTextId = 0xFFFF;
const int kIconId = 0x0440;

/* A 32-bit top-down bitmap selected into a memory device context. */
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height), m_bits(NULL)
    {
        BITMAPINFO info;
        ZeroMemory(&info, sizeof info);
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(NULL);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, (void **)&m_bits, NULL, 0);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    HDC Dc() const { return m_dc; }
    bool Valid() const { return m_bits != NULL; }
    DWORD Pixel(int x, int y) const { return m_bits[y * m_width + x] & 0xFFFFFF; }
    void Fill(DWORD color) { std::fill(m_bits, m_bits + m_width * m_height, color); }

    /* Mean difference per colour channel, 0 to 255. */
    double Distance(const Canvas &other) const
    {
        long long sum = 0;
        for (int i = 0; i < m_width * m_height; ++i) {
            for (int shift = 0; shift < 24; shift += 8)
                sum += std::abs((int)((m_bits[i] >> shift) & 0xFF) - (int)((other.m_bits[i] >> shift) & 0xFF));
        }
        return (double)sum / (3.0 * m_width * m_height);
    }

private:
    int m_width, m_height;
    DWORD *m_bits;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

/* Drawings closer than this count as the same picture. */
const double kSamePicture = 4.0;

} // namespace

std::ostream &operator<<(std::ostream &out, BoxIcon icon)
{
    static const char *const names[] = {"none", "stop", "question", "exclamation", "information", "unrecognised"};
    return out << names[(int)icon];
}

BoxIcon RecogniseIcon(HWND iconControl)
{
    if (iconControl == NULL || !IsWindowVisible(iconControl) || Ask(iconControl, STM_GETICON) == 0)
        return BoxIcon::None;
    RECT client;
    GetClientRect(iconControl, &client);
    POINT origin = {0, 0};
    ClientToScreen(iconControl, &origin);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0)
        return BoxIcon::None;

    static const struct {
        BoxIcon icon;
        LPCSTR id;
    } kCandidates[] = {
        {BoxIcon::Stop, IDI_HAND},
        {BoxIcon::Question, IDI_QUESTION},
        {BoxIcon::Exclamation, IDI_EXCLAMATION},
        {BoxIcon::Information, IDI_ASTERISK},
    };
    BoxIcon recognised = BoxIcon::Unrecognised;
    /* the box may not have painted itself yet: look until a candidate fits */
    WaitUntil(
        [&] {
            Canvas shot(width, height);
            if (!shot.Valid())
                return false;
            HDC screen = GetDC(NULL);
            BOOL copied = BitBlt(shot.Dc(), 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
            ReleaseDC(NULL, screen);
            if (!copied)
                return false;
            for (const auto &candidate : kCandidates) {
                Canvas drawn(width, height);
                if (!drawn.Valid())
                    return false;
                drawn.Fill(shot.Pixel(0, 0));
                DrawIconEx(drawn.Dc(), 0, 0, LoadIconA(NULL, candidate.id), width, height, 0, NULL, DI_NORMAL);
                if (drawn.Distance(shot) < kSamePicture) {
                    recognised = candidate.icon;
                    return true;
                }
            }
            return false;
        },
        5000);
    return recognised;
}

MessageBoxView ReadMessageBox(HWND box)
{
    MessageBoxView view;
    view.caption = TextOf(box);
    view.text = TextOf(GetDlgItem(box, kTextId));
    view.icon = RecogniseIcon(GetDlgItem(box, kIconId));
    for (HWND child : ChildrenOf(box)) {
        if (IsWindowVisible(child) && lstrcmpiA(ClassOf(child).c_str(), "Button") == 0)
            view.buttons.push_back(GetDlgCtrlID(child));
    }
    std::sort(view.buttons.begin(), view.buttons.end());
    view.owner = GetWindow(box, GW_OWNER);
    return view;
}

} // namespace e2e
