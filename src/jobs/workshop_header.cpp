#include "jobs/workshop_header.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "jobs/job_store.h"
#include "jobs/plain_files.h"

namespace corvane {

namespace {
constexpr const char* kFile = "workshop.txt";
constexpr const char* kLogo = "workshop-logo.png";
// A logo larger than this is scaled down when it is set: it is printed a few centimetres wide.
constexpr int kLogoMostPixels = 800;
}  // namespace

QString WorkshopHeader::defaultFolder() { return QFileInfo(JobStore::defaultRoot()).absolutePath(); }

WorkshopHeader WorkshopHeader::load(const QString& folder) {
    WorkshopHeader header;
    const QString text = QString::fromUtf8(readSmallFile(folder + QLatin1Char('/') + QLatin1String(kFile)));
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || eq < 0) continue;
        const QString key = line.left(eq).trimmed(), value = unescapeField(line.mid(eq + 1));
        if (key == QLatin1String("name")) header.name = value;
        if (key == QLatin1String("address")) header.address = value;
    }
    const QString logo = folder + QLatin1Char('/') + QLatin1String(kLogo);
    if (QFileInfo(logo).isFile()) header.logo.load(logo, "PNG");
    return header;
}

bool WorkshopHeader::save(const QString& folder, QString& error) const {
    if (!QDir().mkpath(folder)) {
        error = QCoreApplication::translate("corvane::WorkshopHeader", "Cannot make the folder %1.").arg(folder);
        return false;
    }
    const QString logoPath = folder + QLatin1Char('/') + QLatin1String(kLogo);
    if (logo.isNull()) {
        if (QFileInfo::exists(logoPath) && !QFile::remove(logoPath)) {
            error =
                QCoreApplication::translate("corvane::WorkshopHeader", "Cannot remove the old logo %1.").arg(logoPath);
            return false;
        }
    } else {
        QImage picture = logo;
        if (picture.width() > kLogoMostPixels || picture.height() > kLogoMostPixels)
            picture = picture.scaled(kLogoMostPixels, kLogoMostPixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!picture.save(&buffer, "PNG") || !writeFileAtomically(logoPath, png, error)) {
            error = QCoreApplication::translate("corvane::WorkshopHeader", "Cannot write the logo %1: %2")
                        .arg(logoPath, error);
            return false;
        }
    }
    const QString text = QStringLiteral("# Corvane workshop header for customer reports, UTF-8.\nname=%1\naddress=%2\n")
                             .arg(escapeField(name), escapeField(address));
    const QString path = folder + QLatin1Char('/') + QLatin1String(kFile);
    if (!writeFileAtomically(path, text.toUtf8(), error)) {
        error = QCoreApplication::translate("corvane::WorkshopHeader", "Cannot write %1: %2").arg(path, error);
        return false;
    }
    return true;
}

}  // namespace corvane
