// Helpers for tests that drive the real windows in-process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Dispatches every message waiting in this thread's queue.
void pumpPending();

// waitFor (tests/support/wait_for.h) that dispatches this thread's messages
// while it waits, so that the windows under test keep working.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 30000);

// A visible top-level window with the given client size whose procedure is
// DefWindowProcA, to host the windows under test.
HWND createTestHost(int clientWidth, int clientHeight, DWORD style = WS_OVERLAPPEDWINDOW);

// Such a host, one for all the tests of the program that ask for it: made at
// the first call and given the client size again at each. Under Wine without
// a window manager, destroying a top-level window waits two seconds for its
// unmapping, while child windows come and go at once.
HWND sharedTestHost(int clientWidth, int clientHeight);

std::string className(HWND window);
RECT clientRect(HWND window);
RECT windowRect(HWND window);
// A window's rectangle in the client coordinates of parent.
RECT rectIn(HWND window, HWND parent);

// The text of a window, or of part `part` of a status bar.
std::string windowText(HWND window);
std::string statusPartText(HWND statusBar, int part);

// The colour of client pixel (x, y) of a window as it is on the screen now.
COLORREF screenPixel(HWND window, int x, int y);

// A path in the test's temporary folder, which the test creates on first use.
std::string temporaryPath(const std::string& name);

// The whole content of a file, or "<missing>" when it cannot be read.
std::string fileBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

// Whether two files hold the same bytes; read in blocks, for large files.
bool sameFileBytes(const std::string& pathA, const std::string& pathB);

// How many temporary files of the writer lie in a folder (given with its
// final backslash).
int strayTemporaryFiles(const std::string& folder);
