/* term_script.cpp - the scripted front end: before each key it prints the
 * screen as plain text, then reads the key from its input; at the end of
 * the input it tells the window system that no more keys will come. The
 * window system's screen is the printed screen's size. */
#include <errno.h>
#include <poll.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "term_frontend.h"
#include "term_keys.h"
#include "term_text.h"

namespace lzport {

namespace {

class ScriptFrontEnd : public FrontEnd {
public:
    ScriptFrontEnd(int in, FILE *out, int cols, int rows)
        : m_in(in), m_out(out), m_cols(cols), m_rows(rows), m_keys([this] { return NextByte(); })
    {
        UseUtf8Locale();
        SIZE screen = ScreenOfGrid(cols, rows);
        SetScreenSize(screen.cx, screen.cy);
    }

    bool WaitForInput() override
    {
        if (m_ended)
            return false;
        PrintScreen();
        /* a timer due before the next key comes first */
        if (!InputWithin(NextTimerDelay()))
            return true;
        KeyPress key;
        if (!m_keys.Read(key)) {
            m_ended = true;
            fprintf(m_out, "(end of input)\n");
            fflush(m_out);
            return false;
        }
        fprintf(m_out, "key: %s\n", KeyName(key).c_str());
        fflush(m_out);
        m_keyRead = true;
        PostKeyPress(key.vk, key.shift, key.alt);
        return true;
    }

private:
    /* Prints the screen unless it is the one printed last and no key has
     * been read since (a timer, not the user, woke the window system). */
    void PrintScreen()
    {
        Grid grid(m_cols, m_rows);
        RenderInfo info = Render(CaptureScene(), grid);
        std::vector<std::string> lines = grid.PlainLines();
        size_t first = 0, last = lines.size();
        while (first < last && lines[first].empty())
            first++;
        while (last > first && lines[last - 1].empty())
            last--;
        std::string screen;
        for (size_t i = first; i < last; i++)
            screen += lines[i] + "\n";
        if (!info.focus.empty())
            screen += "focus: " + info.focus + "\n";
        if (!m_keyRead && screen == m_lastScreen)
            return;
        fprintf(m_out, "======== screen %d ========\n%s", ++m_screens, screen.c_str());
        fflush(m_out);
        m_lastScreen = screen;
        m_keyRead = false;
    }

    /* Whether input (or its end) is there within `delay` milliseconds; a
     * negative delay waits as long as it takes. */
    bool InputWithin(int delay)
    {
        if (m_next < m_filled || delay < 0)
            return true;
        pollfd fd = {m_in, POLLIN, 0};
        int ready;
        while ((ready = poll(&fd, 1, delay)) < 0 && errno == EINTR) {
        }
        return ready != 0;
    }

    int NextByte()
    {
        if (m_next == m_filled) {
            ssize_t n;
            while ((n = read(m_in, m_buffer, sizeof m_buffer)) < 0 && errno == EINTR) {
            }
            if (n <= 0)
                return -1;
            m_next = 0;
            m_filled = static_cast<size_t>(n);
        }
        return static_cast<unsigned char>(m_buffer[m_next++]);
    }

    int m_in;
    unsigned char m_buffer[256];
    size_t m_next = 0, m_filled = 0;
    FILE *m_out;
    int m_cols, m_rows;
    ScriptKeyReader m_keys;
    int m_screens = 0;
    std::string m_lastScreen;
    bool m_keyRead = true;
    bool m_ended = false;
};

} // namespace

std::unique_ptr<FrontEnd> NewScriptFrontEnd(int in, FILE *out, int cols, int rows)
{
    return std::make_unique<ScriptFrontEnd>(in, out, cols, rows);
}

} // namespace lzport
