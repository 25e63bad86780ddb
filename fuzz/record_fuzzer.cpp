// Loads a small die whose work part carries closed-part records made from the
// input, and runs the View Manager over it as the dialog does: the command,
// Open/Close on two rows the input picks, Refresh, the close. The record
// travels with the part from other sites, so nothing in it is trusted: lists
// missing, doubled, of any length or of unequal lengths, texts from empty to
// 5,000 bytes naming groups, keys and parts the die does not have. Whatever
// it holds, the View Manager comes up with the die's rows, the rows keep
// their rules after every step, and the host ends with no session open, no
// memory held and none released through the wrong call.
#include "commands/view_manager_commands.h"
#include "config/framework_message_recorder.h"
#include "hostsim/hostsim_control.h"
#include "model/cell_pictures.h"
#include "record/work_part_record.h"
#include "sweep/native_view_manager.h"
#include "sweep/row_model_invariants.h"

#include <nlohmann/json.hpp>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using nlohmann::json;
using Strings = std::vector<std::string>;

// Rows: DIE, TOP, UPPER, SHOE, PUNCH, UPPER_OTHER (the bolt), LOWER, PLATE;
// INSERT too when the record remembers it (its part is not loaded).
constexpr char kConfig[] = "<DIE><TOP/><UPPER><TYPE>SHOE</TYPE><TYPE>PUNCH</TYPE><UPPER_OTHER/>"
                           "</UPPER><LOWER><TYPE>PLATE</TYPE><TYPE>INSERT</TYPE></LOWER></DIE>";
constexpr int kDieRows = 8;
// An input's record holds at most this many entries and bytes of text (texts
// past the budget are empty, entries past it dropped): thousands of entries
// and 5,000-byte texts, yet fast enough to fuzz.
constexpr size_t kTextBudget = 64 * 1024;
constexpr size_t kEntryBudget = 3000;

// Texts the die knows, and a few it does not.
const char* const kWords[] = {"",          "top.prt",     "upper.prt", "lower.prt",   "shoe.prt",
                              "punch.prt", "bolt.prt",    "plate.prt", "insert.prt",  "gone.prt",
                              "DIE",       "TOP",         "UPPER",     "UPPER_OTHER", "LOWER",
                              "TYPE",      "LOWER_OTHER", "1",         "SHOE",        "PUNCH",
                              "PLATE",     "INSERT",      "BOLT",      "%s%n",        "\xC3\xA9"};

class Decoder {
  public:
    Decoder(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    // 0 once the input is used up.
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

    // Below 0x80 a word; to 0xBF that many (up to 63) raw bytes; above, a
    // word repeated to a length of two bytes' worth, up to 5,000.
    std::string text() {
        const uint8_t b = byte();
        if (b < 0x80)
            return kWords[b % std::size(kWords)];
        std::string s;
        if (b < 0xC0) {
            for (int i = b & 0x3F; i > 0; --i) {
                const char c = static_cast<char>(byte());
                s += c != '\0' ? c : '\x01'; // the host keeps no NUL in a text
            }
            return s;
        }
        const size_t length = static_cast<size_t>((b & 0x3F) << 8 | byte()) % 5001;
        std::string unit = kWords[byte() % std::size(kWords)];
        if (unit.empty())
            unit = "G";
        while (s.size() < length)
            s += unit;
        s.resize(length);
        return s;
    }

    // Up to 15 texts read one by one; from 0xF0, a few repeated to 200 to
    // 3,200 entries.
    json list() {
        json strings = json::array();
        const uint8_t head = byte();
        if (head < 0xF0) {
            for (int i = head % 16; i > 0; --i)
                add(strings, text());
            return strings;
        }
        std::vector<std::string> pattern(1 + byte() % 4);
        for (std::string& s : pattern)
            s = text();
        for (size_t i = 0; i < ((head & 0x0Fu) + 1) * 200; ++i)
            add(strings, pattern[i % pattern.size()]);
        return strings;
    }

  private:
    void add(json& strings, const std::string& s) {
        if (entries_ == 0)
            return;
        --entries_;
        strings.push_back(s.size() <= budget_ ? s : std::string());
        budget_ -= std::min(budget_, s.size());
    }
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
    size_t budget_ = kTextBudget;
    size_t entries_ = kEntryBudget;
};

// One record object: one of the three keys, none, an unknown key before key
// 3, or rarely another class.
json recordObject(Decoder& in) {
    const uint8_t head = in.byte();
    json object = {{"class", (head & 0xF8) == 0xF8 ? "HT_UDO_OTHER" : kRecordClassName}};
    if (head % 8 < 6)
        object["integers"] = {kClosedPartsKey + head % 3};
    else if (head % 8 == 7)
        object["integers"] = {in.byte() - 128, kClosedPartsKey};
    object["strings"] = in.list();
    return object;
}

// The die as the host loads it, before the work part gets its records.
json die() {
    return json::parse(R"({"parts": [
        {"file": "top.prt", "attributes": [{"title": "TOP", "value": "1"}],
         "components": [{"part": "upper.prt"}, {"part": "lower.prt"}]},
        {"file": "upper.prt", "attributes": [{"title": "UPPER", "value": "1"}],
         "components": [{"part": "shoe.prt"}, {"part": "punch.prt"}, {"part": "punch.prt"},
                        {"part": "bolt.prt"}]},
        {"file": "lower.prt", "components": [{"part": "plate.prt"}, {"part": "insert.prt"}]},
        {"file": "shoe.prt", "attributes": [{"title": "TYPE", "value": "SHOE"}]},
        {"file": "punch.prt", "attributes": [{"title": "TYPE", "value": "PUNCH"}]},
        {"file": "bolt.prt"},
        {"file": "plate.prt", "attributes": [{"title": "TYPE", "value": "PLATE"}]},
        {"file": "insert.prt", "loaded": false,
         "attributes": [{"title": "TYPE", "value": "INSERT"}]}],
      "display_part": "top.prt",
      "customer_defaults": {"QVL_WIZARD_VIEW_MANAGER": "qvl_view.xml"}})");
}

std::string g_productDir;

void removeProductDir() {
    std::error_code ignored;
    std::filesystem::remove_all(g_productDir, ignored);
}

[[noreturn]] void fail(const char* step, const std::string& what) {
    std::fprintf(stderr, "after %s: %s\n", step, what.c_str());
    std::abort();
}

// After every step: no host session open, no host memory held or released
// through the wrong call, and the rules of the rows, if there are rows.
void check(const ViewManagerCommands* model, const char* step) {
    if (HOSTSIM_session_depth() != 0 || HOSTSIM_outstanding_allocations() != 0 ||
        HOSTSIM_memory_misuse_count() != 0)
        fail(step, "a host session is open, or host memory held or misused");
    for (const std::string& violation : model ? RowModelViolations(*model) : Strings{})
        fail(step, violation);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_productDir = (std::filesystem::temp_directory_path() /
                    ("record_fuzz_" + std::to_string(static_cast<long>(getpid()))))
                       .string();
    const std::filesystem::path dir = std::filesystem::path(g_productDir) / "configuration";
    std::filesystem::create_directories(dir / "xml_files");
    std::ofstream(dir / "xml_files" / "qvl_view.xml", std::ios::binary) << kConfig;
    std::atexit(removeProductDir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const json kDie = die();
    Decoder in(data, size);
    const uint8_t rowA = in.byte(), rowB = in.byte(), flags = in.byte();
    json session = kDie;
    session["environment"] = {{"KORVELTAND_DIR", g_productDir}};
    session["customer_defaults"]["QVL_VIEW_NAME_SET"] = (flags >> 1) & 1;
    session["parts"][4]["modified"] = (flags & 0x10) != 0; // the punch
    // The records live in the work part: the top, or the upper half's
    // occurrence, whose prototype keeps them.
    json& holder = session["parts"][flags & 1];
    if (flags & 1)
        session["work_part"] = {{"root", "top.prt"}, {"path", {0}}};
    holder["objects"] = json::array();
    for (int n = in.byte() % 7; n > 0; --n)
        holder["objects"].push_back(recordObject(in));
    char error[512];
    const std::string text = session.dump(-1, ' ', false, json::error_handler_t::replace);
    if (HOSTSIM_load_session_text(text.c_str(), "/", error, sizeof error) != 0)
        fail("loading", error);
    {
        NativeViewManager viewManager;
        viewManager.Prompts().answer = 1 + (flags >> 2) % 3; // one of the CONFIRM_ answers
        RunViewManagerCommand(viewManager);
        if (!viewManager.Commands() || viewManager.Commands()->Model().RowCount() < kDieRows)
            fail("the command", "the View Manager is not up with the die's rows");
        check(viewManager.Commands(), "the command");
        // A double-click on a row's "Open/Close" cell closes it when open;
        // -1 stands for Refresh.
        const std::pair<const char*, int> steps[] = {
            {"Open/Close A", rowA}, {"Open/Close A again", rowA}, {"Refresh", -1},
            {"Open/Close B", rowB}, {"Refresh again", -1},        {"Open/Close B again", rowB}};
        for (const auto& [step, pick] : steps) {
            ViewManagerCommands* vm = viewManager.Commands();
            if (pick < 0)
                viewManager.Refresh();
            else if (vm && vm->Model().RowCount() > 0)
                vm->OnDblclkList(pick % vm->Model().RowCount(), pick % vm->Model().RowCount(),
                                 kColumnOpen);
            check(viewManager.Commands(), step);
        }
        if (ViewManagerCommands* vm = viewManager.Commands())
            vm->OnCancel();
        if (viewManager.Commands())
            fail("the close", "the View Manager is still there");
    }
    check(nullptr, "the end");
    // Each input frees what it made: libFuzzer runs an input that leaves
    // more allocations than it freed once more, looking for a leak.
    HOSTSIM_load_session_text("{}", "/", error, sizeof error);
    ClearRecordedFrameworkMessages();
    return 0;
}
