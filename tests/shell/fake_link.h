#pragma once
// A link that counts what the supervision does with it.
#include <string>
#include <vector>

#include "shell/link_control.h"

namespace corvane::test {

class FakeLink : public LinkControl {
public:
    bool open(const std::string& devicePath) override {
        opens.push_back(devicePath);
        if (open_) ++openWhileOpen;  // a second handle
        if (!openSucceeds || devicePath.empty()) {
            error = 2;
            return false;
        }
        open_ = true;
        return true;
    }
    bool isOpen() const override { return open_; }
    bool close() override {
        ++closes;
        open_ = false;
        workerRunning = false;
        alive = false;  // stopping the worker clears the alive flag
        gone = false;
        return true;
    }
    bool isAlive() const override { return alive; }
    std::uint32_t missCount() const override { return misses; }
    bool lineGone() const override { return open_ && gone; }
    void startWorker() override {
        ++workerStarts;
        if (workerRunning || !open_) ++badWorkerStarts;
        workerRunning = true;
    }
    int lastOpenError() const override { return error; }

    bool openSucceeds = true;
    bool alive = false;
    std::uint32_t misses = 0;
    bool gone = false;  // the open port reports its device gone
    bool workerRunning = false;
    std::vector<std::string> opens;
    int closes = 0;
    int workerStarts = 0;
    int openWhileOpen = 0;
    int badWorkerStarts = 0;  // a second worker, or one without a port
    int error = 0;

private:
    bool open_ = false;
};

}  // namespace corvane::test
