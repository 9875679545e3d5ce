#pragma once

class QWidget;

namespace tess {

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a kill, Ctrl+C in the starting terminal) into a
// close of `window`, as if the user had closed it: a box on screen is closed unanswered, a
// running split stops between lines and its pieces keep every line read, then the window
// closes. Call once; `window` must outlive the event loop. A second signal while the first is
// handled ends the program at once.
void CloseOnTerminationSignals(QWidget& window);

}  // namespace tess
