// The program's entry point: the start-up sequence, then the message loop until the
// exit sequence posts the quit message.
#include <windows.h>

#include "app/program.h"
#include "platform/win/message_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  vek::Program program;
  if (!program.Main()) return 0;
  // The loop also runs the work that waits for a handler to return, such as the exit
  // asked for by a click.
  return vek::win::RunMessageLoop();
}
