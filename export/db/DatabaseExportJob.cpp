#include "export/db/DatabaseExportJob.h"

#include <algorithm>
#include <new>

#include "export/db/CADODatabase.h"
#include "export/db/CADOException.h"
#include "export/db/TemplateInsert.h"

DatabaseExportJob::DatabaseExportJob(std::string connectionString, ParsedTemplate parsed,
                                     size_t count, RecordSlice slice)
    : connectionString_(std::move(connectionString)),
      parsed_(std::move(parsed)),
      count_(count),
      slice_(std::move(slice)),
      thread_([this] { run(); }) {}

DatabaseExportJob::~DatabaseExportJob() {
    if (thread_.joinable()) thread_.join();
}

void DatabaseExportJob::cancel() {
    std::lock_guard<std::mutex> guard(cancelLock_);
    cancelled_ = true;
    if (cancelStatement_) cancelStatement_();
}

const DatabaseExportJob::Result& DatabaseExportJob::wait() {
    if (thread_.joinable()) thread_.join();
    return result_;
}

void DatabaseExportJob::run() {
    try {
        write();
    } catch (const CADOException& e) {
        result_.outcome = Result::Failed;
        result_.detail = e.description();
    } catch (const std::bad_alloc&) {
        result_.outcome = Result::Failed;
        result_.detail = "There was not enough memory.";
    } catch (const std::exception& e) {
        result_.outcome = Result::Failed;
        result_.detail = e.what();
    } catch (...) {
        result_.outcome = Result::Failed;
        result_.detail = "Undefined Exception";
    }
    // A failure caused by the cancel itself is a cancel.
    if (cancelled_ && result_.outcome == Result::Failed) {
        result_ = Result();
        result_.outcome = Result::Cancelled;
    }
    finished_ = true;
}

void DatabaseExportJob::write() {
    CADODatabase database;
    // No cancel may reach the connection once it is gone.
    struct Forget {
        DatabaseExportJob& job;
        ~Forget() {
            std::lock_guard<std::mutex> guard(job.cancelLock_);
            job.cancelStatement_ = nullptr;
        }
    } forget{*this};
    // A connection declined without an error runs nothing and says nothing.
    if (!database.Open(connectionString_)) return;
    {
        std::lock_guard<std::mutex> guard(cancelLock_);
        cancelStatement_ = database.canceller();
    }
    TemplateInsert insert(database, parsed_);
    Forget forgetStatement{*this};
    if (auto cancel = insert.canceller()) {
        std::lock_guard<std::mutex> guard(cancelLock_);
        cancelStatement_ = std::move(cancel);
    }
    database.BeginTrans();
    for (size_t from = 0; from < count_ && !cancelled_; from += kSlice) {
        const std::vector<Record> records = slice_(from, std::min(kSlice, count_ - from));
        for (size_t i = 0; i < records.size() && !cancelled_; ++i) {
            try {
                insert.run(templateValues(parsed_, records[i]));
            } catch (const CADOException& e) {
                database.RollbackTrans();
                result_.outcome = Result::Failed;
                result_.recordFailed = true;
                result_.failedIndex = from + i;
                result_.failedTitle = records[i].title;
                result_.detail = e.description();
                return;
            }
            ++done_;
        }
    }
    if (cancelled_) {
        database.RollbackTrans();
        result_.outcome = Result::Cancelled;
        return;
    }
    // A cancel during the commit may still stop it (the commit then fails and
    // the job counts as cancelled); one that did not must not pass for one that did.
    database.CommitTrans();
    result_.cancelledTooLate = cancelled_;
}
