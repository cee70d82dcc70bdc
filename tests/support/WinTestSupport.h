// Helpers for the Windows tests: off-screen pictures and their pixels, message boxes answered
// through the seam or a hook, and message pumping.
#pragma once

#include "ui/MessageBox.h"
#include "render/GdiObjects.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Colour of one pixel of a DC, as 0x00BBGGRR.
COLORREF PixelAt(HDC dc, int x, int y);

// Number of pixels of the rectangle [left, right) x [top, bottom) that have exactly this colour.
int CountPixels(HDC dc, const RECT& rect, COLORREF colour);

// True when every pixel of the rectangle has this colour.
bool RegionIs(HDC dc, const RECT& rect, COLORREF colour);

// A copy of a window's client area, to read what it shows.
Picture CaptureClient(HWND window);

// Runs the calling thread's pending messages.
void PumpMessages();

// While alive, every message box of the program is recorded and answered from a queue of answers
// (IDOK when the queue is empty and the box has only OK, otherwise the next answer; IDNO when the
// queue is empty and the box asks Yes or No).
struct ShownMessage {
    std::wstring text;
    std::wstring caption;
    UINT type;
};

// Outside a recorder, a save question fails the test that met it and is answered Cancel (a test
// that expects the question answers it through a recorder); every other box is real.
void InstallUnattendedSeam();

class MessageBoxRecorder {
  public:
    explicit MessageBoxRecorder(std::deque<int> answers = {});
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void Answer(int answer) { answers_.push_back(answer); }
    const std::vector<ShownMessage>& Shown() const { return shown_; }

  private:
    std::deque<int> answers_;
    std::vector<ShownMessage> shown_;
};

// While alive, every dialog box (class #32770) that becomes active on this thread, including those
// raised by system code, is handed to the function, which can read it and answer it.
class DialogAnswerer {
  public:
    explicit DialogAnswerer(std::function<void(HWND dialog)> answer);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;
    int Count() const { return count_; }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    std::function<void(HWND)> answer_;
    HHOOK hook_ = nullptr;
    int count_ = 0;
};

// Text of a window, e.g. a message box's static text.
std::wstring WindowText(HWND window);
