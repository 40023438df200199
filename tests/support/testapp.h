/* testapp.h - an application object for tests that construct the program's
 * windows without the program's own application object. */
#ifndef LZTEST_TESTAPP_H
#define LZTEST_TESTAPP_H

class CWinApp;

namespace lztest {
/* Creates the test application object on first use (it becomes the
 * framework's current application) and sets the multibyte code page. */
CWinApp *TestApp();
} // namespace lztest

#endif
