// The templates that ship with Quenby, read from the source tree's templates/ folder, rendered
// with the untouched form and with a fully filled one: they must never fail, must keep to the
// 79-column CR LF format, and their optional sections must vanish with their check boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_test_support.h"
#include "engine/form_controls.h"

namespace enginetest {
namespace {

const char* const shippedTemplates[] = {"Default.ntf", "Compact.ntf", "Wide.ntf"};

std::string readShippedTemplate(const std::string& name) {
    const std::string path = std::string(QUENBY_SOURCE_DIR) + "/templates/" + name;
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file.good()) << "cannot open " << path;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const char* const newsgroups[] = {"alt.binaries.cd.image", "alt.binaries.software.graphics",
                                  "alt.binaries.test.quenby", "alt.binaries.multimedia.design"};
const char* const installNotes[] = {
    "1. Unpack the archives and mount or burn the BIN/CUE image.",
    "2. Run SETUP.EXE and install to any folder you like.",
    "3. Enter the code above when asked, with the name it was made for.",
    "4. Copy the patched files from the PATCH folder over the installed ones."};
const char* const comments[] = {"The full retail release of the well-known vector drawing package.",
                                "This version adds layered export, a new brush engine and faster",
                                "rendering on older machines. Tested on Windows 98 SE and 2000.",
                                "If a part is missing, please ask in the group before the repost.",
                                "Enjoy it, and buy the software if you use it every day!"};
const char* const thanks[] = {"Everybody who supplied the original CD and the manual scans,",
                              "the testers who stayed up all night, and you for downloading.",
                              "Greetings to all regulars of the groups above."};

const char* const title = "Orbital Sketch Professional v4.2.1 Retail";
const char* const software = "Orbital Sketch Professional Edition 4.2.1 b1187";

template <size_t n>
std::string crlfJoined(const char* const (&lines)[n]) {
    std::string text;
    for (size_t i = 0; i < n; ++i)
        text += std::string(i > 0 ? "\r\n" : "") + lines[i];
    return text;
}

void put(RecordForm& form, FormPage page, uint32_t control, const std::string& text) {
    EXPECT_TRUE(form.setText(page, control, text.c_str())) << "text control " << control;
}

void tick(RecordForm& form, FormPage page, uint32_t control, bool checked = true) {
    EXPECT_TRUE(form.setChecked(page, control, checked)) << "check box " << control;
}

// Every box ticked, realistic texts, several lines in each multi-line box. No text holds a word
// of a section heading, so a heading found in the output comes from the template.
RecordForm filledForm() {
    RecordForm form;
    put(form, GeneralPage, GeneralControl::TitleEdit, title);
    put(form, GeneralPage, GeneralControl::UploaderEdit, "Marlowe of the Night Shift");
    put(form, GeneralPage, GeneralControl::SoftwareEdit, software);
    put(form, GeneralPage, GeneralControl::PackedEdit, "48");
    tick(form, GeneralPage, GeneralControl::UnpackedCheck);
    put(form, GeneralPage, GeneralControl::UnpackedEdit, "112");
    put(form, GeneralPage, GeneralControl::UnitList, "Mb");
    tick(form, GeneralPage, GeneralControl::SerialCheck);
    put(form, GeneralPage, GeneralControl::SerialEdit, "OSK4-7H2Q-99XB-1LMN-C0DE-5521");
    tick(form, GeneralPage, GeneralControl::RegisteredToCheck);
    put(form, GeneralPage, GeneralControl::RegisteredToEdit, "Quenby Test Department");
    tick(form, GeneralPage, GeneralControl::CrackedByCheck);
    put(form, GeneralPage, GeneralControl::CrackedByEdit, "Nightjar Collective");
    tick(form, GeneralPage, GeneralControl::CrackIncludedRadio);
    tick(form, GeneralPage, GeneralControl::KeygenByCheck);
    put(form, GeneralPage, GeneralControl::KeygenByEdit, "Lanternfish");

    put(form, UploadPage, UploadControl::UploadedAsCombo, "CD Image (BIN/CUE)");
    put(form, UploadPage, UploadControl::PostNumberEdit, "2");
    tick(form, UploadPage, UploadControl::FilesCheck);
    put(form, UploadPage, UploadControl::FilesEdit, "37");
    tick(form, UploadPage, UploadControl::PerDayCheck);
    put(form, UploadPage, UploadControl::PerDayEdit, "12");
    tick(form, UploadPage, UploadControl::SfvCheck);
    tick(form, UploadPage, UploadControl::CueCheck);
    tick(form, UploadPage, UploadControl::ManualCheck);
    put(form, UploadPage, UploadControl::NewsgroupsEdit, crlfJoined(newsgroups));
    put(form, UploadPage, UploadControl::RepostCombo, "In a week's time...");
    tick(form, UploadPage, UploadControl::FillWaitCheck);

    tick(form, VariousTextPage, VariousControl::InstallCheck);
    put(form, VariousTextPage, VariousControl::InstallEdit, crlfJoined(installNotes));
    tick(form, VariousTextPage, VariousControl::CommentsCheck);
    put(form, VariousTextPage, VariousControl::CommentsEdit, crlfJoined(comments));
    tick(form, VariousTextPage, VariousControl::ThanksCheck);
    put(form, VariousTextPage, VariousControl::ThanksEdit, crlfJoined(thanks));
    return form;
}

std::string lowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The output's lines; fails the test unless every line ends with CR LF and holds at most 79
// characters with no stray CR or LF.
std::vector<std::string> checkedLines(const std::string& output) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < output.size()) {
        const size_t end = output.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text after the last CR LF: " << output.substr(start);
            break;
        }
        const std::string line = output.substr(start, end - start);
        EXPECT_LE(line.size(), 79u) << "line " << lines.size() + 1 << ": " << line;
        EXPECT_EQ(std::string::npos, line.find_first_of("\r\n"))
            << "line " << lines.size() + 1 << " holds a lone CR or LF";
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

// Renders the template with the form and expects a successful generation.
std::vector<std::string> renderShipped(const std::string& name, const RecordForm& form) {
    const Generation result = generate(readShippedTemplate(name), form, name.c_str());
    EXPECT_TRUE(result.commandsEnabled) << result.preview;
    EXPECT_EQ(std::string::npos, result.preview.find("NFO GENERATION FAILED")) << result.preview;
    EXPECT_EQ(result.preview, result.output);
    return checkedLines(result.output);
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// The column at which text starts on the first line that holds it, or npos.
size_t columnOf(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines) {
        const size_t at = line.find(text);
        if (at != std::string::npos)
            return at;
    }
    return std::string::npos;
}

// True when reduced is full with one run of one or more consecutive lines taken out.
bool isFullLessOneRun(const std::vector<std::string>& full,
                      const std::vector<std::string>& reduced) {
    if (reduced.size() >= full.size())
        return false;
    size_t prefix = 0;
    while (prefix < reduced.size() && reduced[prefix] == full[prefix])
        ++prefix;
    const size_t rest = reduced.size() - prefix;
    return std::equal(reduced.begin() + prefix, reduced.end(), full.end() - rest);
}

class ShippedTemplateTest : public EngineTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShippedTemplateTest, FileIsSingleByteArtWhoseLinesAreNeverCut) {
    const std::string text = readShippedTemplate(GetParam());
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(std::string::npos, text.find('\0'));
    // Box drawing saved as UTF-8 would come out as three characters each, and widen the lines.
    EXPECT_EQ(std::string::npos, text.find("\xE2\x95")) << "UTF-8 box drawing";
    EXPECT_EQ(std::string::npos, text.find("\xE2\x96")) << "UTF-8 shades";
    std::istringstream lines(text);
    std::string line;
    unsigned number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        EXPECT_LE(line.size(), 79u) << GetParam() << " line " << number << " would be cut";
    }
}

TEST_P(ShippedTemplateTest, RendersTheUntouchedForm) {
    const std::vector<std::string> lines = renderShipped(GetParam(), RecordForm());
    ASSERT_FALSE(lines.empty());
    const std::string text = lowerCase(joined(lines));
    EXPECT_NE(std::string::npos, text.find("post 1")) << "\"Post Number:\" starts checked with 1";
    EXPECT_NE(std::string::npos, text.find("there will be no full repost!"));
    EXPECT_NE(std::string::npos, text.find("none!")) << "presets chosen with nothing ticked";
    for (const char* absent : {"serial", "registered", "crack", "keygen", "protection", "install",
                               "comment", "thank", "fill request"}) {
        EXPECT_EQ(std::string::npos, text.find(absent)) << absent << " shown while off";
    }
}

TEST_P(ShippedTemplateTest, RendersAFullyFilledForm) {
    const std::vector<std::string> lines = renderShipped(GetParam(), filledForm());
    const std::string text = joined(lines);
    for (const char* value :
         {software, "Marlowe of the Night Shift", "48Mb (unpacked 112Mb)", "CD Image (BIN/CUE)",
          "SFV, CUE, manual", "37 files, 12 per day, post 2", "In a week's time...",
          "Serial number, crack (included), keygen", "OSK4-7H2Q-99XB-1LMN-C0DE-5521",
          "Quenby Test Department", "Nightjar Collective", "Lanternfish"}) {
        EXPECT_NE(std::string::npos, text.find(value)) << value;
    }
    EXPECT_EQ((79 - std::string(title).size()) / 2, columnOf(lines, title)) << "title centred";
    const std::string heading = lowerCase(text);
    for (const char* shown :
         {"post info", "protection", "install", "comment", "thank", "fill request"}) {
        EXPECT_NE(std::string::npos, heading.find(shown)) << shown;
    }
    // Each line of a multi-line field lies on its own output line, in the field's column.
    const std::vector<std::vector<const char*>> fields = {
        {std::begin(newsgroups), std::end(newsgroups)},
        {std::begin(installNotes), std::end(installNotes)},
        {std::begin(comments), std::end(comments)},
        {std::begin(thanks), std::end(thanks)}};
    for (const std::vector<const char*>& field : fields) {
        const size_t column = columnOf(lines, field[0]);
        ASSERT_NE(std::string::npos, column) << field[0];
        for (const char* line : field)
            EXPECT_EQ(column, columnOf(lines, line)) << line;
    }
}

struct Gate {
    const char* heading;  // a word of the section, in lower case
    std::vector<std::pair<FormPage, uint32_t>> boxes;
    bool removesWholeLines;  // the section goes without changing any other line
};

TEST_P(ShippedTemplateTest, OptionalSectionsVanishWithTheirCheckBoxes) {
    const std::vector<std::string> full = renderShipped(GetParam(), filledForm());
    const std::vector<Gate> gates = {
        {"serial", {{GeneralPage, GeneralControl::SerialCheck}}, false},
        {"registered", {{GeneralPage, GeneralControl::RegisteredToCheck}}, true},
        {"crack", {{GeneralPage, GeneralControl::CrackedByCheck}}, false},
        {"keygen", {{GeneralPage, GeneralControl::KeygenByCheck}}, false},
        {"protection",
         {{GeneralPage, GeneralControl::SerialCheck},
          {GeneralPage, GeneralControl::CrackedByCheck},
          {GeneralPage, GeneralControl::KeygenByCheck}},
         true},
        {"post info",
         {{UploadPage, UploadControl::PostNumberCheck}, {UploadPage, UploadControl::FilesCheck}},
         true},
        {"install", {{VariousTextPage, VariousControl::InstallCheck}}, true},
        {"comment", {{VariousTextPage, VariousControl::CommentsCheck}}, true},
        {"thank", {{VariousTextPage, VariousControl::ThanksCheck}}, true},
        {"fill request", {{UploadPage, UploadControl::FillWaitCheck}}, true},
    };
    for (const Gate& gate : gates) {
        SCOPED_TRACE(gate.heading);
        RecordForm form = filledForm();
        for (const auto& box : gate.boxes)
            tick(form, box.first, box.second, false);
        const std::vector<std::string> reduced = renderShipped(GetParam(), form);
        EXPECT_EQ(std::string::npos, lowerCase(joined(reduced)).find(gate.heading));
        EXPECT_LT(reduced.size(), full.size());
        if (gate.removesWholeLines)
            EXPECT_TRUE(isFullLessOneRun(full, reduced));
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedTemplateTest, ::testing::ValuesIn(shippedTemplates),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             const std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace enginetest
