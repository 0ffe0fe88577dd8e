#include "scripted_ui.h"

#include <fstream>
#include <iterator>

namespace corvane::testing {

namespace {
std::string captionOf(const std::string& text) { return text.substr(0, text.find('|')); }

std::vector<std::string> itemsOf(const std::string& text) {
    std::vector<std::string> items;
    const std::size_t bar = text.find('|');
    if (bar == std::string::npos) return items;
    std::string cur;
    for (std::size_t i = bar + 1; i < text.size() && text[i] != '^'; ++i) {
        if (text[i] == '|') {
            items.push_back(cur);
            cur.clear();
        } else {
            cur += text[i];
        }
    }
    items.push_back(cur);
    return items;
}

void setChoiceBytes(PendingAnswer& a, std::uint32_t code, bool zeroAsNone) {
    auto b = [&](int shift) {
        const auto v = static_cast<std::uint8_t>((code >> shift) & 0xFF);
        return zeroAsNone && v == 0 ? std::uint8_t{0xFF} : v;
    };
    a.choiceHigh = b(16);
    a.choiceMid = b(8);
    a.choiceLow = b(0);
}
}  // namespace

ScriptedUi::ScriptedUi(UnitLink& link) : link_(link) {}

void ScriptedUi::queue(Envelope e) {
    {
        std::lock_guard lock(mutex_);
        inbox_.push_back(std::move(e));
    }
    cv_.notify_all();
}

void ScriptedUi::postNotification(LinkNotification m) { queue(Envelope{std::move(m), nullptr, nullptr}); }

void ScriptedUi::sendNotification(LinkNotification m, std::shared_ptr<SentMessageReply> reply) {
    queue(Envelope{std::move(m), std::move(reply), nullptr});
}

void ScriptedUi::underLinkLock(std::function<void(PendingAnswer&)> read, std::function<void()> apply) {
    link_.updateAnswer([this, read = std::move(read), apply = std::move(apply)](PendingAnswer& a) mutable {
        read(a);
        queue(Envelope{{}, nullptr, std::move(apply)});
    });
}

bool ScriptedUi::pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) return true;
        // Due timers first, then one message.
        const auto now = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < timers_.size();) {
            if (timers_[i].at <= now) {
                auto action = std::move(timers_[i].action);
                timers_.erase(timers_.begin() + static_cast<std::ptrdiff_t>(i));
                action();
            } else {
                ++i;
            }
        }
        if (done()) return true;
        if (now >= deadline) return false;
        std::unique_lock lock(mutex_);
        cv_.wait_for(lock, std::chrono::milliseconds(5), [this] { return !inbox_.empty(); });
        if (inbox_.empty()) continue;
        Envelope e = std::move(inbox_.front());
        inbox_.pop_front();
        lock.unlock();
        handle(e);
    }
}

const PageControl* ScriptedUi::firstControl(std::uint8_t id) const {
    const MenuPage* page = link_.menuRecord().findPage(currentPage);
    if (!page) return nullptr;
    for (const auto& c : page->controls)
        if (c->id == id) return c.get();
    return nullptr;
}

void ScriptedUi::selectPage(std::uint32_t pageId) {
    currentPage = pageId;
    controls_.clear();
    MenuPage* page = link_.menuRecord().findPage(pageId);
    if (!page) return;
    for (const auto& c : page->controls) {
        if (controls_.count(c->id)) continue;
        ControlState s;
        s.type = static_cast<char>(c->type);
        s.caption = captionOf(c->text);
        s.items = itemsOf(c->text);
        if (s.type == 't') s.value = s.caption;
        controls_[c->id] = s;
    }
    if (page->pageCode != 0) {
        const std::uint32_t code = page->pageCode;
        link_.updateAnswer([code](PendingAnswer& a) {
            setChoiceBytes(a, code, true);
            a.listChoice = 0xFF;
        });
        busy = true;
    }
}

bool ScriptedUi::pressButton(std::uint32_t code) {
    if (busy) return false;
    // The last list box of the page carries its selection along.
    int line = -1;
    std::string text;
    bool hasList = false;
    if (const MenuPage* page = link_.menuRecord().findPage(currentPage)) {
        for (const auto& c : page->controls) {
            if (c->type != 'l') continue;
            hasList = true;
            const ControlState& s = controls_[c->id];
            line = s.selected;
            text = line >= 0 && line < static_cast<int>(s.lines.size()) ? s.lines[static_cast<std::size_t>(line)] : "";
        }
    }
    link_.updateAnswer([code, hasList, line, text](PendingAnswer& a) {
        setChoiceBytes(a, code, false);
        if (hasList) {
            a.listChoice = line >= 0 ? static_cast<std::uint8_t>((line + 1) % 256) : 0xFF;
            if (line >= 0) a.answerText = text;
        }
    });
    busy = true;
    return true;
}

void ScriptedUi::pressKey(std::uint8_t key) {
    link_.updateAnswer([key](PendingAnswer& a) {
        a.choiceHigh = key == 0xFF ? 0xFF : 0xFE;
        a.choiceMid = key;
        a.choiceLow = 0xFF;
        a.listChoice = 0xFF;
        a.answerText.clear();
    });
    if (key == 9) busy = false;
}

void ScriptedUi::selectListLine(std::uint8_t listId, int index) { controls_[listId].selected = index; }

void ScriptedUi::pressChange(std::uint8_t choiceId) {
    ControlState& s = controls_[choiceId];
    if (s.items.size() < 2) return;
    s.current = (s.current + 1) % static_cast<int>(s.items.size());
    s.value = s.items[static_cast<std::size_t>(s.current)];
}

void ScriptedUi::typeInto(std::uint8_t editId, const std::string& text) { controls_[editId].value = text; }

std::string ScriptedUi::valueOf(std::uint8_t id) const {
    const auto it = controls_.find(id);
    if (it == controls_.end()) return {};
    const ControlState& s = it->second;
    if (s.type == 'c') return s.items.empty() ? std::string() : s.items[static_cast<std::size_t>(s.current)];
    if (s.type == 'l')
        return s.selected >= 0 && s.selected < static_cast<int>(s.lines.size())
                   ? s.lines[static_cast<std::size_t>(s.selected)]
                   : std::string();
    return s.value;
}

const std::vector<std::string>& ScriptedUi::linesOf(std::uint8_t listId) const {
    static const std::vector<std::string> none;
    const auto it = controls_.find(listId);
    return it == controls_.end() ? none : it->second.lines;
}

std::string ScriptedUi::composeReport() {
    ReportBuffer& r = link_.reportBuffer();
    r.rewind();
    std::string out;
    for (int n = 0; n < 1000; ++n) {
        const std::uint8_t b = r.nextByte();
        if (b == 0) break;
        if (b == 254)
            out += "\r\n";
        else if (b == 253)
            out += " ";
        else if (b == 252)
            out += ": ";
        else if (controls_.count(b)) {
            const ControlState& s = controls_[b];
            if (s.type == 'c' || s.type == 's')
                out += s.caption + ": " + valueOf(b);
            else if (s.type == 'e' || s.type == 'x' || s.type == 't' || s.type == 'l')
                out += valueOf(b);
        }
    }
    return out;
}

void ScriptedUi::onBox(bool fromX) {
    auto seen = std::make_shared<BoxSeen>();
    underLinkLock(
        [this, seen](PendingAnswer&) {
            seen->kind = static_cast<char>(link_.boxRecord().boxKind());
            seen->text = link_.boxRecord().boxText();
        },
        [this, seen, fromX] {
            const char k = seen->kind;
            const bool messageKind = k == 'k' || k == 'p' || k == 'q' || k == 't' || k == 'w' || k == 'y';
            // A request whose slot is taken is ignored.
            if ((messageKind && messageBox) || (k == 'a' && keyPadOpen) || (k == 'l' && listWindowOpen)) return;
            seen->fromX = fromX;
            boxes.push_back(*seen);
            if (k == 'a') {
                keyPadOpen = true;
                busy = true;
                return;
            }
            if (messageKind) messageBox = k;
            if (k == 'l') {
                listWindowOpen = true;
                listWindowLines.clear();
            }
            link_.updateAnswer([](PendingAnswer& a) { a.boxResult = 1; });
            // A waiting pop-up is answered a moment later, as by a user; the list window once
            // its lines have come.
            if (k != 'p' && k != 't' && k != 'w' && k != 'l')
                timers_.push_back(
                    {std::chrono::steady_clock::now() + std::chrono::milliseconds(30), [this, k] { answerBox(k); }});
        });
}

void ScriptedUi::answerBox(char kind) {
    const BoxPlan plan = plans.count(kind) ? plans[kind] : BoxPlan{};
    if (kind == 'k' || kind == 'q' || kind == 'y') messageBox = 0;
    std::uint8_t result = plan.result;
    if (kind == 'l') {
        listWindowOpen = false;
        const bool chosen =
            result == 2 && plan.listLine >= 1 && plan.listLine <= static_cast<int>(listWindowLines.size());
        const std::string line = chosen ? listWindowLines[static_cast<std::size_t>(plan.listLine - 1)] : "";
        const int n = plan.listLine;
        link_.updateAnswer([result, chosen, line, n](PendingAnswer& a) {
            a.boxResult = result;
            if (result == 2) {
                a.listChoice = chosen ? static_cast<std::uint8_t>(n) : 0xFF;
                a.answerText = line;
            }
        });
        return;
    }
    if (kind == 'n') {
        const std::string text = plan.text;
        link_.updateAnswer([result, text](PendingAnswer& a) {
            a.boxResult = result;
            if (result == 2) a.answerText = text;
        });
        return;
    }
    if (kind == 'o' && result == 2) {
        std::ifstream f(plan.path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        if (!f.good() && !f.eof()) fileOpenError = plan.path;
        std::string name = plan.path.substr(plan.path.rfind('/') + 1);
        link_.updateAnswer([this, bytes, name](PendingAnswer& a) {
            const bool ok =
                link_.transferRecord().load(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), name);
            a.boxResult = ok ? 2 : 4;
        });
        return;
    }
    if (kind == 's' && result == 2) {
        const std::string path = plan.path;
        link_.updateAnswer([this, path](PendingAnswer& a) {
            const TransferRecord& t = link_.transferRecord();
            std::ofstream f(path, std::ios::binary | std::ios::trunc);
            f.write(reinterpret_cast<const char*>(t.store()), static_cast<std::streamsize>(t.held()));
            a.boxResult = f.good() ? 2 : 4;
            // As the window does: the name saved under travels with the answer.
            if (f.good()) a.answerText = path.substr(path.rfind('/') + 1);
        });
        return;
    }
    link_.updateAnswer([result](PendingAnswer& a) { a.boxResult = result; });
}

void ScriptedUi::handle(Envelope& e) {
    if (e.work) {
        e.work();
        return;
    }
    const LinkNotification& m = e.m;
    if (e.reply && e.reply->isCancelled()) return;
    switch (messageOf(m)) {
        case WM_LINK_MENU: ++menus; break;
        case WM_LINK_SHOW_PAGE: selectPage(std::get<LinkShowPage>(m).pageId); break;
        case WM_LINK_BOX: onBox(std::get<LinkBox>(m).again); break;
        case WM_LINK_LIST: {
            const auto& list = std::get<LinkList>(m);
            if (list.header == 0) {
                if (!listWindowOpen) break;
                listWindowLines.insert(listWindowLines.end(), list.items.begin(), list.items.end());
                timers_.push_back(
                    {std::chrono::steady_clock::now() + std::chrono::milliseconds(30), [this] { answerBox('l'); }});
                break;
            }
            auto it = controls_.find(static_cast<std::uint8_t>(list.header));
            if (it != controls_.end() && it->second.type == 'l') {
                it->second.lines = list.items;
                it->second.selected = -1;
            }
            break;
        }
        case WM_LINK_TEXT: {
            const auto& text = std::get<LinkText>(m);
            auto it = controls_.find(static_cast<std::uint8_t>(text.header));
            if (it != controls_.end()) it->second.value = text.text;
            break;
        }
        case WM_LINK_VALUES: {
            const MenuPage* page = link_.menuRecord().findPage(currentPage);
            const int n = page ? static_cast<int>(page->count()) : 0;
            ++valueMessages;
            for (const ValuesFrame& frame : std::get<LinkValues>(m).frames)
                for (const auto& [id, v] : frame.present) {
                    if (id > n) continue;
                    auto it = controls_.find(static_cast<std::uint8_t>(id));
                    if (it == controls_.end()) continue;
                    ControlState& s = it->second;
                    if (s.type == 'c') {
                        for (std::size_t k = 0; k < s.items.size(); ++k)
                            if (s.items[k] == v) {
                                s.current = static_cast<int>(k);
                                s.value = v;
                            }
                    } else if (s.type == 'e' || s.type == 's' || s.type == 't') {
                        s.value = v;
                    }
                }
            break;
        }
        case WM_LINK_PROGRESS: {
            const auto& p = std::get<LinkProgress>(m);
            if (p.target == 255 && !keyPadOpen) break;
            progress[p.target] = {p.range, p.position};
            break;
        }
        case WM_LINK_TRANSFER: ++transferMessages; break;
        case WM_LINK_CHOICE_TAKEN:
            busy = false;
            ++choicesTaken;
            break;
        case WM_LINK_VALUE_REQUEST: {
            const auto& request = std::get<LinkValueRequest>(m);
            ValueTable& t = link_.valueTable();
            t.emptyReply();
            for (std::uint64_t id = request.first; id <= request.last; ++id)
                if (firstControl(static_cast<std::uint8_t>(id)))
                    t.addReplyValue(valueOf(static_cast<std::uint8_t>(id)));
            t.closeReply();
            break;
        }
        case WM_LINK_BOX_TAKEN:
            ++boxesTaken;
            if (messageBox == 't' || messageBox == 'w' || messageBox == 'p') messageBox = 0;
            keyPadOpen = false;
            break;
        case WM_LINK_REPORT: reports.push_back(composeReport()); break;
        default: break;
    }
    if (e.reply) e.reply->complete();
}

}  // namespace corvane::testing
