#pragma once
// Message boxes and the trace file dialog without a modal wait: records every text and answers
// as the test chose.
#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "shell/shell_prompts.h"

namespace corvane::test {

class RecordingPrompts : public ShellPrompts {
public:
    using ShellPrompts::askYesNo;
    bool askYesNo(QWidget*, const std::string& text, PresetAnswer preset) override {
        questions.push_back(text);
        presets.push_back(preset);
        return answerYes;
    }
    void inform(QWidget*, const std::string& text) override { notices.push_back(text); }
    std::optional<QString> chooseTraceFile(QWidget*, const QString& folder) override {
        ++traceFileRequests;
        traceFolder = folder;
        return traceFile;
    }

    bool answerYes = false;
    std::optional<QString> traceFile;
    std::vector<std::string> questions;
    std::vector<PresetAnswer> presets;  // Enter's answer to each question
    std::vector<std::string> notices;
    int traceFileRequests = 0;
    QString traceFolder;  // where the last trace file dialog was to open
};

}  // namespace corvane::test
