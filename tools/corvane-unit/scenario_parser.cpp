// Reads scenario scripts into steps; every error names the line.
#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sstream>

#include "menu_stream_builder.h"
#include "scenario.h"

namespace corvane::unitsim {

namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

struct ParseError {
    std::string message;
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Splits a line into words and quoted texts; '#' outside quotes starts a comment.
std::vector<Token> tokenize(const std::string& line) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            Token t;
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\') {
                    if (i >= line.size()) throw ParseError{"a backslash ends the line"};
                    const char e = line[i++];
                    switch (e) {
                        case 'n': d = '\n'; break;
                        case 'r': d = '\r'; break;
                        case 't': d = '\t'; break;
                        case '0': d = '\0'; break;
                        case '\\': d = '\\'; break;
                        case '"': d = '"'; break;
                        case 'x': {
                            const int h = i < line.size() ? hexDigit(line[i]) : -1;
                            const int l = i + 1 < line.size() ? hexDigit(line[i + 1]) : -1;
                            if (h < 0 || l < 0) throw ParseError{"\\x needs two hex digits"};
                            d = static_cast<char>(h * 16 + l);
                            i += 2;
                            break;
                        }
                        default: throw ParseError{std::string("unknown escape \\") + e};
                    }
                }
                t.text += d;
            }
            if (!closed) throw ParseError{"a quoted text is not closed"};
            out.push_back(std::move(t));
        } else {
            Token t;
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])) && line[i] != '"')
                t.text += line[i++];
            out.push_back(std::move(t));
        }
    }
    return out;
}

// Walks the tokens of one line.
class Cursor {
public:
    explicit Cursor(std::vector<Token> t) : t_(std::move(t)) {}
    bool done() const { return i_ >= t_.size(); }
    const Token& peek() const { return t_[i_]; }
    bool peekWord(const char* w) const { return !done() && !t_[i_].quoted && t_[i_].text == w; }
    const Token& take(const char* what) {
        if (done()) throw ParseError{std::string("missing ") + what};
        return t_[i_++];
    }
    long number(const char* what, long lo, long hi) {
        const Token& t = take(what);
        long v = 0;
        std::size_t used = 0;
        try {
            v = std::stol(t.text, &used, 0);
        } catch (...) {
            used = 0;
        }
        if (t.quoted || used != t.text.size() || t.text.empty())
            throw ParseError{std::string(what) + " must be a number, not '" + t.text + "'"};
        if (v < lo || v > hi)
            throw ParseError{std::string(what) + " " + t.text + " is outside " + std::to_string(lo) + ".." +
                             std::to_string(hi)};
        return v;
    }
    std::chrono::milliseconds millis(const char* what) { return std::chrono::milliseconds(number(what, 0, 86400000)); }
    std::string text(const char* what) {
        const Token& t = take(what);
        if (!t.quoted) throw ParseError{std::string(what) + " must be a quoted text"};
        return t.text;
    }
    void end() {
        if (!done()) throw ParseError{"unexpected '" + t_[i_].text + "'"};
    }

private:
    std::vector<Token> t_;
    std::size_t i_ = 0;
};

std::uint8_t letterOf(Cursor& c) {
    const Token& t = c.take("command letter");
    if (t.quoted || t.text.size() != 1) throw ParseError{"a frame letter is one character, not '" + t.text + "'"};
    return static_cast<std::uint8_t>(t.text[0]);
}

// DATA of a frame to send: hex bytes (pairs of digits) and quoted texts, up to a keyword.
std::vector<std::uint8_t> dataBytes(Cursor& c, const char* stopWord = nullptr) {
    std::vector<std::uint8_t> out;
    while (!c.done() && !(stopWord && c.peekWord(stopWord))) {
        const Token& t = c.take("data");
        if (t.quoted) {
            out.insert(out.end(), t.text.begin(), t.text.end());
            continue;
        }
        if (t.text.size() % 2 != 0) throw ParseError{"'" + t.text + "' is not hex bytes (two digits per byte)"};
        for (std::size_t i = 0; i < t.text.size(); i += 2) {
            const int h = hexDigit(t.text[i]), l = hexDigit(t.text[i + 1]);
            if (h < 0 || l < 0) throw ParseError{"'" + t.text + "' is not hex bytes"};
            out.push_back(static_cast<std::uint8_t>(h * 16 + l));
        }
    }
    if (out.size() > kMaxReceivedData)
        throw ParseError{"a frame carries at most 249 DATA bytes, this one has " + std::to_string(out.size())};
    return out;
}

Frame frameOf(Cursor& c, const char* stopWord = nullptr) {
    Frame f;
    f.letter = letterOf(c);
    f.sub = static_cast<std::uint8_t>(c.number("SUB", 0, 255));
    f.data = dataBytes(c, stopWord);
    return f;
}

bool isOption(const Cursor& c) { return c.peekWord("within") || c.peekWord("every"); }

ReplyPattern patternOf(Cursor& c) {
    ReplyPattern p;
    const Token& l = c.take("reply letter");
    if (l.quoted || l.text.size() != 1)
        throw ParseError{"a reply letter is one character or '?', not '" + l.text + "'"};
    p.letter = l.text == "?" ? -1 : static_cast<unsigned char>(l.text[0]);
    if (c.peekWord("?") || c.peekWord("??")) {
        c.take("SUB");
        p.sub = -1;
    } else {
        p.sub = static_cast<int>(c.number("SUB", 0, 255));
    }
    while (!c.done() && !isOption(c)) {
        const Token& t = c.take("pattern");
        if (t.quoted) {
            for (char ch : t.text) p.data.push_back({ReplyPattern::Token::Byte, static_cast<std::uint8_t>(ch)});
        } else if (t.text == "??") {
            p.data.push_back({ReplyPattern::Token::AnyByte, 0});
        } else if (t.text == "*") {
            p.data.push_back({ReplyPattern::Token::AnyRun, 0});
        } else {
            if (t.text.size() % 2 != 0) throw ParseError{"'" + t.text + "' is not hex bytes, ?? or *"};
            for (std::size_t i = 0; i < t.text.size(); i += 2) {
                const int h = hexDigit(t.text[i]), lo = hexDigit(t.text[i + 1]);
                if (h < 0 || lo < 0) throw ParseError{"'" + t.text + "' is not hex bytes, ?? or *"};
                p.data.push_back({ReplyPattern::Token::Byte, static_cast<std::uint8_t>(h * 16 + lo)});
            }
        }
    }
    return p;
}

void options(Cursor& c, ScenarioStep& s, bool allowEvery) {
    while (!c.done()) {
        if (c.peekWord("within")) {
            c.take("within");
            s.timeout = c.millis("time-out");
        } else if (allowEvery && c.peekWord("every")) {
            c.take("every");
            s.every = c.millis("interval");
        } else {
            c.end();
        }
    }
}

// The lines between "menu" and "end".
void menuLine(Cursor& c, MenuStreamBuilder& m) {
    const std::string word = c.take("menu element").text;
    if (word == "group" || word == "item") {
        const std::string name = c.text("name");
        const auto id = static_cast<std::uint16_t>(c.number("id", 0, 65535));
        const auto icon = static_cast<std::uint8_t>(c.number("icon", 0, 255));
        c.end();
        if (word == "group")
            m.group(name, id, icon);
        else
            m.item(name, id, icon);
    } else if (word == "close") {
        c.end();
        m.endGroup();
    } else if (word == "page") {
        const auto id = static_cast<std::uint16_t>(c.number("page id", 0, 65535));
        const auto code = static_cast<std::uint32_t>(c.done() ? 0 : c.number("page code", 0, 0xFFFFFF));
        c.end();
        m.page(id, code);
    } else if (word == "control") {
        ControlElement s;
        s.id = static_cast<std::uint8_t>(c.number("control id", 0, 255));
        const Token& type = c.take("control type");
        if (type.quoted || type.text.size() != 1)
            throw ParseError{"a control type is one letter, not '" + type.text + "'"};
        s.type = type.text[0];
        s.left = static_cast<std::uint8_t>(c.number("left", 0, 255));
        s.top = static_cast<std::uint8_t>(c.number("top", 0, 255));
        s.right = static_cast<std::uint8_t>(c.number("right", 0, 255));
        s.bottom = static_cast<std::uint8_t>(c.number("bottom", 0, 255));
        s.text = c.text("control text");
        while (!c.done()) {
            const std::string opt = c.take("option").text;
            if (opt == "code")
                s.code = static_cast<std::uint32_t>(c.number("code", 0, 0xFFFFFF));
            else if (opt == "style")
                s.style = static_cast<std::uint8_t>(c.number("style", 0, 255));
            else
                throw ParseError{"unknown control option '" + opt + "' (code, style)"};
        }
        if (s.style && !s.code) throw ParseError{"a style needs a code"};
        m.control(s);
    } else {
        throw ParseError{"unknown menu element '" + word + "' (group, item, close, page, control, end)"};
    }
}

}  // namespace

ScenarioParse parseScenario(const std::string& text, const std::string& name) {
    ScenarioParse result;
    result.scenario.name = name;
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    std::chrono::milliseconds defaultTimeout{2000};
    std::optional<MenuStreamBuilder> menu;
    std::size_t menuFrameSize = 0;
    ScenarioStep menuStep;
    try {
        while (std::getline(in, raw)) {
            ++lineNo;
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            Cursor c(tokenize(raw));
            if (c.done()) continue;
            if (menu) {
                if (c.peekWord("end")) {
                    c.take("end");
                    c.end();
                    menuStep.frames = menu->frames(menuFrameSize);
                    result.scenario.steps.push_back(menuStep);
                    menu.reset();
                } else {
                    const std::size_t known = menu->problems().size();
                    menuLine(c, *menu);
                    // An element the PC would read differently is reported at its own line.
                    if (menu->problems().size() > known) throw ParseError{menu->problems()[known]};
                }
                continue;
            }
            const Token& cmd = c.take("command");
            if (cmd.quoted) throw ParseError{"a line starts with a command, not a quoted text"};
            ScenarioStep s;
            s.line = lineNo;
            s.timeout = defaultTimeout;
            const std::string& w = cmd.text;
            if (w == "timeout") {
                defaultTimeout = c.millis("time-out");
                c.end();
                continue;
            } else if (w == "handshake") {
                s.kind = ScenarioStep::Kind::Handshake;
                if (!c.done() && !isOption(c)) s.capacity = static_cast<std::uint8_t>(c.number("capacity", 0, 255));
                s.unlimited = !c.peekWord("within");
                options(c, s, false);
            } else if (w == "send") {
                s.kind = ScenarioStep::Kind::Send;
                s.frames.push_back(frameOf(c));
            } else if (w == "expect" || w == "wait") {
                s.kind = w == "expect" ? ScenarioStep::Kind::Expect : ScenarioStep::Kind::Wait;
                s.pattern = patternOf(c);
                options(c, s, false);
            } else if (w == "poll") {
                s.kind = ScenarioStep::Kind::Poll;
                if (c.peekWord("with")) {
                    c.take("with");
                    s.frames.push_back(frameOf(c, "until"));
                } else {
                    s.frames.push_back(Frame{'S', 0, {}});
                }
                if (!c.peekWord("until")) throw ParseError{"poll needs 'until' and the reply to wait for"};
                c.take("until");
                s.pattern = patternOf(c);
                options(c, s, true);
            } else if (w == "silence" || w == "sleep") {
                s.kind = w == "silence" ? ScenarioStep::Kind::Silence : ScenarioStep::Kind::Sleep;
                s.timeout = c.millis("duration");
                c.end();
            } else if (w == "note") {
                s.kind = ScenarioStep::Kind::Note;
                s.text = c.text("note text");
                c.end();
            } else if (w == "menu") {
                menuFrameSize = c.done() ? MenuStreamBuilder::kDefaultFrameData
                                         : static_cast<std::size_t>(c.number("frame size", 1, 249));
                c.end();
                menu.emplace();
                menuStep = ScenarioStep{};
                menuStep.kind = ScenarioStep::Kind::SendMenu;
                menuStep.line = lineNo;
                menuStep.timeout = defaultTimeout;
                continue;
            } else {
                throw ParseError{"unknown command '" + w +
                                 "' (timeout, handshake, send, expect, wait, poll, silence, sleep, note, menu)"};
            }
            result.scenario.steps.push_back(std::move(s));
        }
        if (menu) {
            lineNo = menuStep.line;
            throw ParseError{"the menu that starts here has no 'end'"};
        }
    } catch (const ParseError& e) {
        result.error = name + ":" + std::to_string(lineNo) + ": " + e.message;
        return result;
    }
    result.ok = true;
    return result;
}

ScenarioParse loadScenario(const std::string& path) {
    // Read with the system calls so that the reason of a failure (no such file, no permission,
    // a folder) can be told.
    auto failed = [&](int error) {
        ScenarioParse r;
        r.error = path + ": cannot be read: " + std::strerror(error);
        return r;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return failed(errno);
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return failed(error);
        }
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return parseScenario(text, path);
}

}  // namespace corvane::unitsim
