#include "jobs/workshop_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "controls/keyboard_focus.h"

namespace corvane {

namespace {
constexpr int kLogoPreviewHeight = 64;
}  // namespace

WorkshopDialog::WorkshopDialog(const QString& folder, QWidget* parent)
    : QDialog(parent),
      folder_(folder),
      header_(WorkshopHeader::load(folder)),
      name_(new QLineEdit(header_.name)),
      address_(new QPlainTextEdit(header_.address)),
      logo_(new QLabel()) {
    setWindowTitle(tr("Workshop on customer reports"));
    takeFocusWhenShown(this);
    address_->setTabChangesFocus(true);
    address_->setPlaceholderText(tr("Street\nTown\nPhone"));
    auto* choose = new QPushButton(tr("&Choose logo..."));
    auto* remove = new QPushButton(tr("&Remove logo"));
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, tr("Logo"), QString(), tr("Pictures (*.png *.jpg *.jpeg *.bmp *.gif)"));
        if (!path.isEmpty() && !setLogoFile(path))
            QMessageBox::warning(this, windowTitle(), tr("%1 is no picture this program can read.").arg(path));
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        header_.logo = QImage();
        showLogo();
    });
    auto* logoRow = new QHBoxLayout();
    logoRow->addWidget(logo_, 1);
    logoRow->addWidget(choose);
    logoRow->addWidget(remove);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Save)->setText(tr("&Save"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(tr("&Name"), name_);
    form->addRow(tr("&Address"), address_);
    form->addRow(tr("Logo"), logoRow);
    form->addRow(buttons);
    showLogo();
    resize(520, 320);
}

bool WorkshopDialog::setLogoFile(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) return false;
    header_.logo = image;
    showLogo();
    return true;
}

void WorkshopDialog::showLogo() {
    if (header_.logo.isNull()) {
        logo_->setText(tr("(no logo)"));
        return;
    }
    logo_->setPixmap(QPixmap::fromImage(header_.logo.scaledToHeight(kLogoPreviewHeight, Qt::SmoothTransformation)));
}

bool WorkshopDialog::save() {
    header_.name = name_->text().trimmed();
    header_.address = address_->toPlainText().trimmed();
    QString error;
    if (header_.save(folder_, error)) return true;
    QMessageBox::warning(this, windowTitle(), error);
    return false;
}

void WorkshopDialog::accept() {
    if (save()) QDialog::accept();
}

}  // namespace corvane
