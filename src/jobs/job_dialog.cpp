#include "jobs/job_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "controls/keyboard_focus.h"

namespace corvane {

namespace {
// A VIN has 17 characters; older vehicles and plates of other countries vary, so only a bound.
constexpr int kMostVinCharacters = 40;
constexpr int kMostNameCharacters = 200;
}  // namespace

JobDialog::JobDialog(const Job& job, bool isNew, QWidget* parent)
    : QDialog(parent),
      job_(job),
      registration_(new QLineEdit(job.registration)),
      vin_(new QLineEdit(job.vin)),
      customer_(new QLineEdit(job.customer)),
      note_(new QPlainTextEdit(job.note)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(isNew ? tr("New job") : tr("Job %1").arg(job.label()));
    takeFocusWhenShown(this);
    registration_->setMaxLength(kMostNameCharacters);
    vin_->setMaxLength(kMostVinCharacters);
    customer_->setMaxLength(kMostNameCharacters);
    note_->setTabChangesFocus(true);
    note_->setPlaceholderText(tr("What the customer reported, what was done"));
    auto* form = new QFormLayout(this);
    form->addRow(tr("&Registration"), registration_);
    form->addRow(tr("&VIN"), vin_);
    form->addRow(tr("&Customer"), customer_);
    form->addRow(tr("&Note"), note_);
    form->addRow(buttons_);
    buttons_->button(QDialogButtonBox::Ok)->setText(isNew ? tr("Make job") : tr("Save"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QLineEdit* edit : {registration_, vin_, customer_})
        connect(edit, &QLineEdit::textChanged, this, &JobDialog::updateOk);
    updateOk();
    resize(460, 300);
}

void JobDialog::updateOk() {
    const bool named = !(registration_->text().trimmed().isEmpty() && vin_->text().trimmed().isEmpty() &&
                         customer_->text().trimmed().isEmpty());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(named);
}

Job JobDialog::job() const {
    Job job = job_;
    job.registration = registration_->text().simplified();
    job.vin = vin_->text().simplified().toUpper();
    job.customer = customer_->text().simplified();
    job.note = note_->toPlainText().trimmed();
    return job;
}

}  // namespace corvane
