#pragma once
// The workshop's header on customer reports: its name, its address and a logo, set once. Kept
// beside the jobs folder as workshop.txt ("key=value" lines like a job's job.txt) and the logo as
// workshop-logo.png, a copy of the picture chosen, so it stays when the original is moved.
#include <QImage>
#include <QString>

namespace corvane {

struct WorkshopHeader {
    QString name;
    QString address;  // several lines
    QImage logo;      // null: none

    bool empty() const { return name.isEmpty() && address.isEmpty() && logo.isNull(); }

    // `folder` is where workshop.txt lives ($XDG_DATA_HOME/corvane).
    static WorkshopHeader load(const QString& folder);
    // False with the reason; the files as they were.
    bool save(const QString& folder, QString& error) const;
    static QString defaultFolder();
};

}  // namespace corvane
