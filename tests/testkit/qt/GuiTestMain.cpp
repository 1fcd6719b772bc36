// Entry point of the GUI tests: a QApplication on the offscreen platform unless the
// environment names another, so the tests need no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

namespace {
// The offscreen platform warns at every window it cannot size from hints; nothing else
// is silenced.
QtMessageHandler g_previousHandler = nullptr;

void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1String("does not support propagateSizeHints"))) {
        g_previousHandler(type, context, message);
    }
}
}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    g_previousHandler = qInstallMessageHandler(FilterMessages);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
