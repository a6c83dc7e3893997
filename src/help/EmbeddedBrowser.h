// What the embedded web browser needs before the application object exists.
#pragma once

namespace orvel {

// Shares OpenGL contexts with the browser engine and, for a program running as root only,
// switches off the engine's sandbox, which otherwise refuses to start. Call before
// QApplication is constructed; does nothing in a build without the browser.
void prepareEmbeddedBrowser();

} // namespace orvel
