#pragma once
// The dialog that makes a new job or changes one: the vehicle (registration and VIN), the
// customer and a free note. A job needs at least a registration, a VIN or a customer.
#include <QDialog>

#include "jobs/job_store.h"

class QDialogButtonBox;
class QLineEdit;
class QPlainTextEdit;

namespace corvane {

class JobDialog : public QDialog {
    Q_OBJECT
public:
    JobDialog(const Job& job, bool isNew, QWidget* parent = nullptr);

    // The job with what the user typed.
    Job job() const;
    QLineEdit* registrationEdit() const { return registration_; }
    QLineEdit* vinEdit() const { return vin_; }
    QLineEdit* customerEdit() const { return customer_; }
    QPlainTextEdit* noteEdit() const { return note_; }

private:
    void updateOk();

    Job job_;
    QLineEdit* registration_;
    QLineEdit* vin_;
    QLineEdit* customer_;
    QPlainTextEdit* note_;
    QDialogButtonBox* buttons_;
};

}  // namespace corvane
