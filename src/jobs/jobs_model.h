#pragma once
// The jobs as the job window lists them: newest first, narrowed as the user types to those
// whose registration, VIN or customer holds the text. Thousands of jobs are filtered at each
// key without a delay: the rows are an index into the list, made anew.
#include <QAbstractTableModel>
#include <QFont>

#include <vector>

#include "jobs/job_store.h"

namespace corvane {

class JobsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Date, Registration, Customer, Vin, Columns };

    explicit JobsModel(QObject* parent = nullptr);

    void setJobs(std::vector<Job> jobs);
    void setFilter(const QString& text);
    // The job shown in bold (the current one); empty for none.
    void setCurrentId(const QString& id);
    // A job whose folder has gone is shown as missing.
    void markMissing(const QString& id);

    const Job* jobAt(int row) const;
    // The row of the job with this id, -1 when it is filtered out or unknown.
    int rowOf(const QString& id) const;
    std::size_t allJobs() const { return jobs_.size(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void refilter();

    std::vector<Job> jobs_;
    std::vector<bool> missing_;
    std::vector<int> shown_;
    QString filter_;
    QString currentId_;
};

}  // namespace corvane
