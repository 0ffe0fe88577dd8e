#include "readings/reading_progress.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QProgressDialog>

#include <unistd.h>

#include <cstdio>
#include <memory>

namespace corvane {

namespace {
constexpr int kSteps = 1000;
constexpr int kShownAfterMs = 500;
// About a tenth of a second of reading: smaller files are read before anyone would look.
constexpr qint64 kLineFromBytes = qint64{8} << 20;

int stepOf(qint64 done, qint64 size) {
    return size > 0 ? static_cast<int>(std::min<qint64>(done, size) * kSteps / size) : kSteps;
}
}  // namespace

RecordingReader::Progress progressWindow(QWidget* parent, const QString& file) {
    // The window belongs to its parent as well: should the parent go while the file is read (the
    // program ends meanwhile), the reading stops, and the window is not deleted twice.
    struct Holder {
        QPointer<QProgressDialog> window;
        ~Holder() { delete window.data(); }
    };
    auto holder = std::make_shared<Holder>();
    holder->window =
        new QProgressDialog(QCoreApplication::translate("corvane::ReadingProgress", "Reading the recording %1...")
                                .arg(QFileInfo(file).fileName()),
                            QCoreApplication::translate("corvane::ReadingProgress", "Cancel"), 0, kSteps, parent);
    QProgressDialog& window = *holder->window;
    window.setWindowTitle(QCoreApplication::translate("corvane::ReadingProgress", "Reading a recording"));
    // Modal: its value changes let the program's events through, and nothing else may start
    // meanwhile.
    window.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    window.setMinimumDuration(kShownAfterMs);
    window.setAutoReset(false);
    window.setValue(0);
    return [holder](qint64 done, qint64 size) {
        if (!holder->window) return false;
        holder->window->setValue(stepOf(done, size));
        return holder->window && !holder->window->wasCanceled();
    };
}

RecordingReader::Progress progressLine(const QString& file) {
    if (!::isatty(STDERR_FILENO)) return {};
    const QByteArray name = QFileInfo(file).fileName().toLocal8Bit();
    auto shown = std::make_shared<int>(-1);
    return [name, shown](qint64 done, qint64 size) {
        if (size < kLineFromBytes) return true;
        const int percent = stepOf(done, size) / (kSteps / 100);
        if (done >= size) {
            if (*shown >= 0) std::fputs("\r\033[K", stderr);
        } else if (percent != *shown) {
            const QString line = QCoreApplication::translate("corvane::ReadingProgress", "corvane: reading %1: %2%")
                                     .arg(QString::fromLocal8Bit(name))
                                     .arg(percent);
            std::fprintf(stderr, "\r%s", line.toLocal8Bit().constData());
            *shown = percent;
        }
        return true;
    };
}

}  // namespace corvane
