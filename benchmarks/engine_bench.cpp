// Generation speed: a realistic NFO template, synthetic templates of growing length with a field
// insertion on every line, and one multi-line field of growing length. The per-line figure
// ("per_line", seconds) must stay flat as the templates grow.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "catalogue/template_catalogue.h"
#include "engine/form_table.h"
#include "engine/nfo_generator.h"
#include "engine/nfo_view.h"
#include "engine/record_form.h"

namespace {

class DiscardingView : public NfoView {
public:
    void setPreviewText(const char* /*text*/) override {}
    void enableOutputCommands(bool enabled) override { succeeded = enabled; }
    bool succeeded = false;
};

void loadTemplate(const std::string& text) {
    if (!loadTemplateBytes(text.data(), static_cast<uint32_t>(text.size()), "bench.ntf"))
        std::abort();
}

RecordForm filledForm(const std::string& remarks = "Works fine here.\r\nSecond line.") {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::TitleEdit, "Some Tool 2.1");
    form.setText(GeneralPage, GeneralControl::UploaderEdit, "poster");
    form.setText(GeneralPage, GeneralControl::SoftwareEdit, "Some Tool Professional 2.1.4");
    form.setText(GeneralPage, GeneralControl::PackedEdit, "12");
    form.setChecked(GeneralPage, GeneralControl::UnpackedCheck, true);
    form.setText(GeneralPage, GeneralControl::UnpackedEdit, "30");
    form.setText(GeneralPage, GeneralControl::UnitList, "Mb");
    form.setChecked(GeneralPage, GeneralControl::SerialCheck, true);
    form.setText(GeneralPage, GeneralControl::SerialEdit, "1234-5678-9ABC");
    form.setChecked(GeneralPage, GeneralControl::RegisteredToCheck, true);
    form.setText(GeneralPage, GeneralControl::RegisteredToEdit, "Team");
    form.setChecked(GeneralPage, GeneralControl::KeygenByCheck, true);
    form.setText(GeneralPage, GeneralControl::KeygenByEdit, "someone");
    form.setText(UploadPage, UploadControl::UploadedAsCombo, ".RAR File(s)");
    form.setChecked(UploadPage, UploadControl::FilesCheck, true);
    form.setText(UploadPage, UploadControl::FilesEdit, "25");
    form.setChecked(UploadPage, UploadControl::PerDayCheck, true);
    form.setText(UploadPage, UploadControl::PerDayEdit, "5");
    form.setChecked(UploadPage, UploadControl::SfvCheck, true);
    form.setChecked(UploadPage, UploadControl::ManualCheck, true);
    form.setText(UploadPage, UploadControl::NewsgroupsEdit, "alt.binaries.test\r\nalt.test");
    form.setChecked(VariousTextPage, VariousControl::InstallCheck, true);
    form.setText(VariousTextPage, VariousControl::InstallEdit, "Unpack.\r\nRun setup.\r\nEnjoy.");
    form.setChecked(VariousTextPage, VariousControl::CommentsCheck, true);
    form.setText(VariousTextPage, VariousControl::CommentsEdit, remarks.c_str());
    form.setChecked(VariousTextPage, VariousControl::ThanksCheck, true);
    form.setText(VariousTextPage, VariousControl::ThanksEdit, "Everyone.");
    return form;
}

std::string frameLine(const std::string& inner) {
    std::string line = "|  " + inner;
    line.resize(77, ' ');
    return line + "|\r\n";
}

// 60 lines in the shape of a real NFO: a frame, a banner, labelled fields, multi-line sections
// with an INSERTLINE background, and a FILLWAIT block.
std::string realisticTemplate() {
    const std::string rule = "+" + std::string(76, '-') + "+\r\n";
    std::string t;
    t += "#COMMENT A framed template: every field sits inside the frame.\r\n";
    t += "#INSERTLINE 1\r\n" + frameLine("");
    t += rule + frameLine("") + frameLine("  ####   #   #  ####  #   #  ####   #   #") +
         frameLine("  #  #   #   #  #     ##  #  #   #   # #") +
         frameLine("  #  #   #   #  ###   # # #  ####     #") +
         frameLine("  ## #   #   #  #     #  ##  #   #    #") +
         frameLine("  ####    ###   ####  #   #  ####     #") + frameLine("") + rule;
    t += "#TITLE 1 0 -1\r\n" + frameLine("");
    t += rule;
    const char* fields[][2] = {
        {"SOFTWARE", "Software ....... :"},    {"UPLOADBY", "Uploaded by .... :"},
        {"PACKAGESIZE", "Size ........... :"}, {"UPLOADEDAS", "Uploaded as .... :"},
        {"SUPPORT", "Support ........ :"},     {"POSTINFO", "Post info ...... :"},
        {"POSTEDTO", "Posted to ...... :"},    {"FULLREPOST", "Full repost .... :"},
        {"SECURITYINF", "Protection ..... :"}, {"SERIALNUM", "Serial ......... :"},
        {"REGDTO", "Registered to .. :"},      {"KEYGENBY", "Keygen by ...... :"},
    };
    for (const auto& field : fields) {
        t += std::string("#") + field[0] + " 1 0 24\r\n" + frameLine(field[1]);
    }
    t += rule;
    t += "#INSTALLINF 2 1 5\r\n" + frameLine("Installation:") + frameLine("");
    t += "#REMARKS 2 1 5\r\n" + frameLine("Comments:") + frameLine("");
    t += "#THANKSTO 2 1 5\r\n" + frameLine("Thanks to:") + frameLine("");
    t += "#FILLWAIT 2\r\n" + frameLine("Fills after the repost, please.") + frameLine("");
    t += "#COMMENT The footer.\r\n";
    t += rule + frameLine("") + frameLine("Greetings to all posters and readers of the group.") +
         frameLine("") + frameLine("nfo made with Quenby") + frameLine("") + rule;
    return t;
}

uint32_t lineCount(const std::string& text) {
    uint32_t lines = 0;
    for (char c : text)
        lines += c == '\n' ? 1 : 0;
    return lines;
}

void runGenerations(benchmark::State& state, const RecordForm& form, uint32_t templateLines) {
    DiscardingView view;
    for (auto _ : state) {
        generateNfo(form, view);
        benchmark::DoNotOptimize(nfoOutput.chars());
    }
    if (!view.succeeded)
        state.SkipWithError("generation failed");
    state.counters["template_lines"] = templateLines;
    state.counters["output_lines"] =
        lineCount(nfoOutput.chars() != nullptr ? nfoOutput.chars() : "");
    // Seconds per template line (per field line for the long multi-line field).
    state.counters["per_line"] = benchmark::Counter(
        templateLines, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_RealisticTemplate(benchmark::State& state) {
    const std::string text = realisticTemplate();
    if (lineCount(text) != 60)
        state.SkipWithError("the realistic template must have 60 lines");
    loadTemplate(text);
    runGenerations(state, filledForm(), lineCount(text));
}
BENCHMARK(BM_RealisticTemplate)->Unit(benchmark::kMicrosecond);

// state.range(0) template lines: every other line a field directive, the line after it its
// target, so every ordinary line carries an insertion.
void BM_FieldOnEveryLine(benchmark::State& state) {
    const char* const directives[] = {
        "#TITLE 1 0 20",    "#UPLOADBY 1 0 20", "#SOFTWARE 1 0 -1",    "#PACKAGESIZE 1 0 20",
        "#POSTINFO 1 0 20", "#SUPPORT 1 0 20",  "#SECURITYINF 1 0 20", "#UPLOADEDAS 1 0 20"};
    const int64_t lines = state.range(0);
    std::string text;
    for (int64_t i = 0; i < lines / 2; ++i) {
        text += directives[i % 8];
        text += "\r\n| Field " + std::to_string(i) + " ....... :" + std::string(50, ' ') + "|\r\n";
    }
    loadTemplate(text);
    runGenerations(state, filledForm(), lineCount(text));
}
BENCHMARK(BM_FieldOnEveryLine)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One REMARKS field of state.range(0) lines, laid over a four-line INSERTLINE block.
void BM_LongMultiLineField(benchmark::State& state) {
    std::string remarks;
    for (int64_t i = 0; i < state.range(0); ++i) {
        if (i != 0)
            remarks += "\r\n";
        remarks += "remark number " + std::to_string(i);
    }
    const std::string text = "#INSERTLINE 4\r\n|a\r\n|b\r\n|c\r\n|d\r\n#REMARKS 1 0 4\r\n|*\r\n";
    loadTemplate(text);
    runGenerations(state, filledForm(remarks), static_cast<uint32_t>(state.range(0)));
}
BENCHMARK(BM_LongMultiLineField)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
