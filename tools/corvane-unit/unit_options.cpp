#include "unit_options.h"

#include "scenario.h"
#include "version/corvane_version.h"

namespace corvane::unitsim {

bool parseUnitOptions(const std::vector<std::string>& args, UnitOptions& out, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            v = args[++i];
            return true;
        };
        std::string v;
        if (a == "--pty") {
            out.pty = true;
        } else if (a == "--port") {
            if (!value(out.port)) return false;
        } else if (a == "--capacity") {
            if (!value(v)) return false;
            std::size_t used = 0;
            long n = -1;
            try {
                n = std::stol(v, &used, 10);
            } catch (...) {
            }
            if (used != v.size() || n < 1 || n > 255) {
                error = "--capacity takes a number from 1 to 255, not '" + v + "'";
                return false;
            }
            out.capacity = static_cast<std::uint8_t>(n);
            out.capacityGiven = true;
        } else if (a == "--scenario") {
            if (!value(out.scenario)) return false;
        } else if (a == "--replay") {
            if (!value(out.replay)) return false;
        } else if (a == "--log") {
            out.log = true;
        } else if (a == "--verbose") {
            out.verbose = true;
        } else if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (a == "--version" || a == "-v") {
            out.version = true;
        } else {
            error = "unknown option '" + a + "'";
            return false;
        }
    }
    if (out.help || out.version) return true;
    if (out.pty == !out.port.empty()) {
        error = "give either --pty or --port PATH";
        return false;
    }
    if (!out.scenario.empty() && !out.replay.empty()) {
        error = "give either --scenario or --replay, not both";
        return false;
    }
    return true;
}

std::string unitVersion() { return std::string("corvane-unit ") + kCorvaneVersion + "\n"; }

std::string unitUsageHint() { return "Try 'corvane-unit --help' for more information.\n"; }

std::string unitUsage() {
    return std::string(
               R"(Usage: corvane-unit (--pty | --port PATH) [--capacity N] [--scenario FILE | --replay TRACE [--verbose]] [--log]
       corvane-unit --help | --version

The simulated Corvane unit. It leads the conversation with the PC program: handshake, menu,
status polls every 100 ms, and its reactions to the user's choices.

  --pty             create a pseudo-terminal; its device path is printed on the first line of
                    standard output. Until the handshake is answered the unit waits for the PC
                    to open (or reopen) it; once the conversation has started, the PC closing
                    the line ends the unit.
  --port PATH       use an existing serial device at 57600 8N1 raw; the unit ends when the
                    device reports a hang-up or an error.
  --capacity N      receive capacity announced in the handshake (1..255, default 128)
  --scenario FILE   play the script FILE instead of the demo workshop; the exit status is 0
                    when every step passed, 1 when one failed (the message names the line)
  --replay TRACE    play the commands of a verbose trace that the program wrote, in order,
                    and compare each reply with the recorded one. Bytes that depend on
                    what the user did (choice and box bytes and text of the status reply,
                    the values of 'O', a file the user loaded) only give notes, which are
                    counted; any other difference stops the replay with the frame number
                    and both replies (exit status 1). A file that is not such a trace is
                    refused with its line number (exit status 2). A trace switched on
                    mid-conversation is replayed from the state its first records show (a
                    stand-in menu when the menu was loaded before it); each such assumption
                    is printed. Without --capacity the capacity is taken from the trace's
                    file chunks when it shows them, otherwise 128 (or more when its status
                    texts need more), and said.
  --verbose         with --replay: list every note, not only their number
  --log             print every frame in both directions on standard error
  --help            this text
  --version, -v     the release of the unit (the same as the program's)

SIGINT and SIGTERM end the unit cleanly (exit status 0 for the demo).

Exit status:
  0  the demo ended (stopped by a signal, or the PC closed the line after the conversation
     started), or every step of the scenario passed
  1  the line could not be opened, a scenario step failed or was cut short by a signal, or
     the line went away before the conversation started
  2  a mistake on the command line, or a scenario file that cannot be read or parsed

)") + scenarioFormatHelp();
}

}  // namespace corvane::unitsim
