#pragma once
// The workshop's header on customer reports, set once: its name, its address and a logo.
#include <QDialog>

#include "jobs/workshop_header.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace corvane {

class WorkshopDialog : public QDialog {
    Q_OBJECT
public:
    // `folder` holds the header (workshop.txt and the logo).
    WorkshopDialog(const QString& folder, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return name_; }
    QPlainTextEdit* addressEdit() const { return address_; }
    // Takes the picture as the logo; false when it is no picture.
    bool setLogoFile(const QString& path);
    // Writes the header; false (and the user told why) when it cannot be written.
    bool save();

    void accept() override;

private:
    void showLogo();

    QString folder_;
    WorkshopHeader header_;
    QLineEdit* name_;
    QPlainTextEdit* address_;
    QLabel* logo_;
};

}  // namespace corvane
