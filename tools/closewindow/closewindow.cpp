// closewindow TITLE: sends WM_DELETE_WINDOW to every top-level window titled TITLE that is on
// the screen of $DISPLAY (a hidden window of that title, such as one a program makes to try a
// driver and throws away, is left alone). Exit status 0 when at least one window was asked, 1
// when none has that title, 2 without a display.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>

namespace {

// A window may go away between the listing and the questions about it; that is no failure.
int IgnoreError(Display*, XErrorEvent*) {
  return 0;
}

bool OnScreen(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

bool HasTitle(Display* display, Window window, const char* title) {
  char* name = nullptr;
  const bool same = XFetchName(display, window, &name) && name && std::strcmp(name, title) == 0;
  if (name) XFree(name);
  return same;
}

void AskToClose(Display* display, Window window) {
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: closewindow TITLE\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "closewindow: cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreError);
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  int asked = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count; ++i) {
      if (OnScreen(display, children[i]) && HasTitle(display, children[i], argv[1])) {
        AskToClose(display, children[i]);
        ++asked;
      }
    }
    if (children) XFree(children);
  }
  XFlush(display);
  XCloseDisplay(display);
  return asked > 0 ? 0 : 1;
}
