#include "jobs/jobs_model.h"

namespace corvane {

JobsModel::JobsModel(QObject* parent) : QAbstractTableModel(parent) {}

void JobsModel::setJobs(std::vector<Job> jobs) {
    beginResetModel();
    jobs_ = std::move(jobs);
    missing_.assign(jobs_.size(), false);
    refilter();
    endResetModel();
}

void JobsModel::setFilter(const QString& text) {
    if (text == filter_) return;
    beginResetModel();
    filter_ = text;
    refilter();
    endResetModel();
}

void JobsModel::refilter() {
    shown_.clear();
    for (std::size_t i = 0; i < jobs_.size(); ++i)
        if (jobs_[i].matches(filter_)) shown_.push_back(static_cast<int>(i));
}

void JobsModel::setCurrentId(const QString& id) {
    currentId_ = id;
    if (!shown_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, Columns - 1), {Qt::FontRole});
}

void JobsModel::markMissing(const QString& id) {
    for (std::size_t i = 0; i < jobs_.size(); ++i)
        if (jobs_[i].id == id) missing_[i] = true;
    const int row = rowOf(id);
    if (row >= 0) emit dataChanged(index(row, 0), index(row, Columns - 1));
}

const Job* JobsModel::jobAt(int row) const {
    if (row < 0 || row >= rowCount()) return nullptr;
    return &jobs_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(row)])];
}

int JobsModel::rowOf(const QString& id) const {
    for (std::size_t r = 0; r < shown_.size(); ++r)
        if (jobs_[static_cast<std::size_t>(shown_[r])].id == id) return static_cast<int>(r);
    return -1;
}

int JobsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int JobsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Columns; }

QVariant JobsModel::data(const QModelIndex& index, int role) const {
    const Job* job = jobAt(index.row());
    if (!job) return {};
    const bool missing = missing_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(index.row())])];
    if (role == Qt::FontRole && job->id == currentId_) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    switch (index.column()) {
        case Date: {
            const QString opened = job->created.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
            return missing ? tr("%1 (folder missing)").arg(opened) : opened;
        }
        case Registration: return job->registration;
        case Vin: return job->vin;
        case Customer: return job->customer;
        default: return {};
    }
}

QVariant JobsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case Date: return tr("Opened");
        case Registration: return tr("Registration");
        case Vin: return tr("VIN");
        case Customer: return tr("Customer");
        default: return {};
    }
}

}  // namespace corvane
