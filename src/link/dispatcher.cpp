// The command dispatcher: what each command letter does and which reply it gets.
#include <algorithm>

#include "link/unit_link.h"

namespace corvane {

namespace {
using RecordsLock = std::lock_guard<std::mutex>;
constexpr std::size_t kStatusFixedBytes = 7;  // six answer bytes and '^'
}  // namespace

void UnitLink::replyStatus() {
    std::uint8_t out[kMaxReplyData];
    out[0] = answer_.choiceHigh;
    out[1] = answer_.choiceMid;
    out[2] = answer_.choiceLow;
    out[3] = answer_.boxResult;
    out[4] = answer_.listChoice;
    out[5] = answer_.menuLoaded;
    std::size_t n = 6;
    // The text travels when it is shorter than the limit minus 11, and never beyond what one
    // reply holds (a handshake may announce up to 255 bytes).
    const long limit = static_cast<long>(replyLimit_.load());
    const std::size_t maxText =
        static_cast<std::size_t>(std::clamp<long>(limit - 12, 0, static_cast<long>(kMaxReplyData - kStatusFixedBytes)));
    const std::string& text = answer_.answerText;
    if (!text.empty() && text.size() <= maxText) {
        std::copy(text.begin(), text.end(), out + n);
        n += text.size();
    }
    out[n++] = '^';
    setReply('A', out, n);
}

void UnitLink::dispatch() {
    const std::uint8_t letter = received_.command;
    const std::uint8_t sub = received_.sub;
    const std::uint8_t* data = received_.data.data();
    const std::size_t n = received_.dataLength;
    // A frame of the same letter continues the gathering, unless the one before completed its
    // content: a list sent right after a list is a new list, not more of the first.
    const bool continues = previousLetter_ == letter && !previousCompleted_;
    const std::uint32_t limit = replyLimit_.load();

    switch (letter) {
        case 'B': {
            LinkBox box;
            {
                RecordsLock records(recordsMutex_);
                if (!continues) box_.empty();
                box_.append(data, n);
                box_.parse();
                box = LinkBox{box_.boxKind(), box_.boxText(), false};
            }
            post(std::move(box));
            replyK();
            break;
        }
        case 'C': {
            LinkMenu menu;
            {
                RecordsLock records(recordsMutex_);
                if (!continues) menu_.emptyBuffer();
                menu_.append(data, n);
                if (sub == 1) {
                    menu_.parse();
                    menu.menu = menu_.snapshot();
                }
            }
            if (sub == 1) {
                answer_.menuLoaded = 1;
                post(std::move(menu));
            }
            replyK();
            break;
        }
        case 'D': {
            ValuesFrame frame;
            frame.arrival = LinkClock::now();
            {
                RecordsLock records(recordsMutex_);
                values_.fill(data, n);
                std::string v;
                for (int i = 1; i <= ValueTable::kPositions; ++i)
                    if (values_.value(i, v)) frame.present.emplace_back(i, v);
            }
            post(LinkValues::of(std::move(frame)));
            replyStatus();
            break;
        }
        case 'E': {
            std::int64_t announced, held;
            {
                RecordsLock records(recordsMutex_);
                if (sub == 2) transfer_.emptyStore();
                transfer_.append(data, n);
                announced = transfer_.announcedSize();
                held = static_cast<std::int64_t>(transfer_.held());
            }
            send(LinkTransferIn{announced, held});
            replyK();
            break;
        }
        case 'F': {
            std::uint8_t chunk[kMaxReplyData];
            const std::size_t capacity = limit > 4 ? std::min<std::size_t>(limit - 4, kMaxReplyData) : 0;
            std::size_t taken, held, position;
            {
                RecordsLock records(recordsMutex_);
                taken = transfer_.takeChunk(chunk, capacity);
                held = transfer_.held();
                position = transfer_.readPosition();
            }
            post(LinkTransferOut{held, taken ? position : 0});
            setReply('I', chunk, taken);
            break;
        }
        case 'G': {
            std::uint8_t header[kMaxReplyData];
            RecordsLock records(recordsMutex_);
            const std::size_t len = transfer_.buildHeader(header, kMaxReplyData, limit);
            setReply('N', header, len);
            break;
        }
        case 'H':
        case 'S': replyStatus(); break;
        case 'J': {
            const std::uint32_t pageId = (n > 0 ? data[0] * 256u : 0u) + (n > 1 ? data[1] : 0u);
            post(LinkShowPage{pageId});
            replyK();
            break;
        }
        case 'L': {
            LinkList list;
            {
                RecordsLock records(recordsMutex_);
                if (!continues) list_.empty();
                list_.append(data, n);
                if (sub == 1) {
                    list_.parse();
                    list = LinkList{list_.header(), list_.items()};
                }
            }
            if (sub == 1) post(std::move(list));
            replyK();
            break;
        }
        case 'N': {
            RecordsLock records(recordsMutex_);
            transfer_.parseHeader(data, n);
            replyK();
            break;
        }
        case 'P': {
            LinkProgress progress;
            {
                RecordsLock records(recordsMutex_);
                progress_.fill(data, n);
                progress = LinkProgress{progress_.target(), progress_.range(), progress_.position()};
            }
            post(progress);
            replyStatus();
            break;
        }
        case 'R': {
            // Start from an empty answer, so an earlier one is never sent again by mistake.
            {
                RecordsLock records(recordsMutex_);
                values_.emptyReply();
            }
            send(LinkValueRequest{n > 0 ? data[0] : 0u, n > 1 ? data[1] : 0u});
            RecordsLock records(recordsMutex_);
            const std::string& text = values_.replyText();
            const std::size_t len = std::min(text.size(), ValueTable::kReplyCapacity);
            setReply('O', reinterpret_cast<const std::uint8_t*>(text.data()), len);
            break;
        }
        case 'T': {
            LinkText text;
            {
                RecordsLock records(recordsMutex_);
                if (!continues) text_.empty();
                text_.append(data, n);
                if (sub == 1) {
                    text_.parse();
                    text = LinkText{text_.header(), text_.text()};
                }
            }
            if (sub == 1) post(std::move(text));
            replyK();
            break;
        }
        case 'W': {
            RecordsLock records(recordsMutex_);
            report_.append(data, n);
        }
            if (sub == 1) send(LinkReport{});
            {
                RecordsLock records(recordsMutex_);
                report_.empty();
            }
            replyK();
            break;
        case 'X': {
            LinkBox again;
            {
                RecordsLock records(recordsMutex_);
                again = LinkBox{box_.boxKind(), box_.boxText(), true};
            }
            post(std::move(again));
            replyK();
            break;
        }
        case 'Y':
            answer_.choiceHigh = answer_.choiceMid = answer_.choiceLow = PendingAnswer::kUnset;
            send(LinkChoiceTaken{});
            replyK();
            break;
        case 'Z':
            answer_.boxResult = answer_.listChoice = PendingAnswer::kUnset;
            answer_.answerText.clear();
            send(LinkBoxTaken{});
            replyK();
            break;
        default:
            // An unknown letter gets the previous reply again; before any reply, a plain 'K'.
            if (reply_.letter == 0) replyK();
            break;
    }
    previousLetter_ = letter;
    previousCompleted_ = sub == 1 && (letter == 'C' || letter == 'L' || letter == 'T');
}

}  // namespace corvane
