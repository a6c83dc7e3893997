// The entry point of the window test executables, on the offscreen platform unless told
// otherwise. Offscreen, the windows open on two field-laptop screens side by side (1366 × 768,
// the first, and 1280 × 720), without frames: a window fitted there fits with a real title bar.
#include "TestRegistry.h"
#include "help/EmbeddedBrowser.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryFile>

namespace {

constexpr char kLaptopScreens[] = R"({
  "synchronousWindowSystemEvents": false,
  "windowFrameMargins": false,
  "screens": [
    {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96},
    {"name": "small laptop", "x": 1366, "y": 0, "width": 1280, "height": 720, "logicalDpi": 96}
  ]
})";

} // namespace

int main(int argc, char **argv)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
#ifdef Q_OS_WIN
    // The platform's arguments are split at every colon, a drive letter's too: on Windows the
    // file is made in the working folder and named from there.
    QTemporaryFile screens(QStringLiteral("orvel-screens-XXXXXX.json"));
#else
    QTemporaryFile screens;
#endif
    if (platform.isEmpty() || platform == "offscreen") {
        QByteArray chosen = "offscreen";
        if (screens.open() && screens.write(kLaptopScreens) > 0 && screens.flush())
            chosen +=
                ":configfile=" + QDir::current().relativeFilePath(screens.fileName()).toLocal8Bit();
        qputenv("QT_QPA_PLATFORM", chosen);
    }
    orvel::prepareEmbeddedBrowser();
    QApplication app(argc, argv);
    return orvel::testing::runRegisteredTests(argc, argv);
}
