// XML reading and writing speed on a generated 5 MB document of level-like elements (marbles
// and boxes with attributes, a few with content), against pugixml and tinyxml2 in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#ifdef TARN_HAVE_PUGIXML
#include <pugixml.hpp>
#endif
#ifdef TARN_HAVE_TINYXML2
#include <tinyxml2.h>
#endif

#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/cxmlparser.h"
#include "tarn/utils/xml/cxmltreebuilder.h"
#include "tarn/utils/xml/xmltree.h"

namespace {

const char* const kTypes[] = {"red", "green", "blue", "yellow", "purple"};

// A level with marbles and obstacles until its written form reaches about 5 MB.
std::unique_ptr<tarn::CXmlNode> MakeLevel() {
    auto level = std::make_unique<tarn::CXmlNode>("MarblesLevel");
    level->AddAttribute("name", std::string("Generated level"));
    level->AddAttribute("physics", std::string("data/levels/generated_physics.xml"));
    auto* model = new tarn::CXmlNode("PhysicsModel");
    level->AddChild(model);
    std::size_t size = 0;
    for (int i = 0; size < 5u * 1000 * 1000; ++i) {
        if (i % 8 == 7) {
            auto* box = new tarn::CXmlNode("Box");
            box->AddAttribute("x", (i * 37) % 640);
            box->AddAttribute("y", (i * 91) % 480);
            box->AddAttribute("w", 16 + i % 200);
            box->AddAttribute("h", 8 + i % 50);
            auto* angle = new tarn::CXmlNode("angle");
            angle->SetContent(std::to_string(i % 360) + ".25");
            box->AddChild(angle);
            model->AddChild(box);
            size += 120;
        } else {
            auto* marble = new tarn::CXmlNode("Marble");
            marble->AddAttribute("type", std::string(kTypes[i % 5]));
            marble->AddAttribute("x", (i * 13) % 640);
            marble->AddAttribute("y", (i * 29) % 480);
            marble->AddAttribute("radius", 16.5f);
            model->AddChild(marble);
            size += 70;
        }
    }
    return level;
}

const std::string& WrittenLevel() {
    static const std::string text = [] {
        std::ostringstream out;
        tarn::WriteXmlTree(MakeLevel().get(), out);
        return out.str();
    }();
    return text;
}

const std::string& LevelFile() {
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() / "tarn_bench_level.xml").string();
        std::ofstream(file, std::ios::binary) << WrittenLevel();
        return file;
    }();
    return path;
}

// CPU time of this thread in ms: the machine is shared, and waiting for a core is not the
// reader's cost. Page faults and freeing memory count, as they are part of the work.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

double Milliseconds(const std::function<void()>& work) {
    const double start = ThreadMilliseconds();
    work();
    return ThreadMilliseconds() - start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// One contender: its work for one iteration and the times it took.
struct CContender {
    const char* name;
    std::function<void()> work;
    std::vector<double> times;
};

// Runs the contenders in turn on each iteration (so a busy moment hurts all alike) and reports
// each one's median CPU time in ms and the ratio of ours (the first) to each of the others.
void RunCompared(benchmark::State& state, std::vector<CContender> contenders) {
    for (auto _ : state) {
        for (CContender& contender : contenders) contender.times.push_back(Milliseconds(contender.work));
        state.SetIterationTime(contenders.front().times.back() / 1000.0);
    }
    const double ours = Median(contenders.front().times);
    state.counters["ours_ms"] = ours;
    for (std::size_t i = 1; i < contenders.size(); ++i) {
        const double theirs = Median(contenders[i].times);
        state.counters[std::string(contenders[i].name) + "_ms"] = theirs;
        state.counters[std::string("x_") + contenders[i].name] = theirs > 0 ? ours / theirs : 0.0;
    }
    if (contenders.size() == 1) state.SetLabel("pugixml and tinyxml2 not found: ours only");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(WrittenLevel().size()));
}

// Reading the file into a tree and freeing it: ours, pugixml, tinyxml2.
void BM_XmlReadCompared(benchmark::State& state) {
    const std::string& file = LevelFile();
    std::vector<CContender> contenders;
    contenders.push_back({"ours", [&] {
                              std::unique_ptr<tarn::CXmlNode> tree(tarn::LoadXmlTree(file));
                              benchmark::DoNotOptimize(tree.get());
                          }, {}});
#ifdef TARN_HAVE_PUGIXML
    contenders.push_back({"pugixml", [&] {
                              pugi::xml_document document;
                              benchmark::DoNotOptimize(document.load_file(file.c_str()));
                          }, {}});
#endif
#ifdef TARN_HAVE_TINYXML2
    contenders.push_back({"tinyxml2", [&] {
                              tinyxml2::XMLDocument document;
                              benchmark::DoNotOptimize(document.LoadFile(file.c_str()));
                          }, {}});
#endif
    RunCompared(state, std::move(contenders));
}
BENCHMARK(BM_XmlReadCompared)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);

// Writing the tree each one read from the same file into a text in memory.
void BM_XmlWriteCompared(benchmark::State& state) {
    const std::string& file = LevelFile();
    std::unique_ptr<tarn::CXmlNode> tree(tarn::LoadXmlTree(file));
    std::vector<CContender> contenders;
    contenders.push_back({"ours", [&] {
                              std::ostringstream out;
                              tarn::WriteXmlTree(tree.get(), out);
                              benchmark::DoNotOptimize(out.tellp());
                          }, {}});
#ifdef TARN_HAVE_PUGIXML
    pugi::xml_document pugiDocument;
    pugiDocument.load_file(file.c_str());
    contenders.push_back({"pugixml", [&] {
                              std::ostringstream out;
                              pugiDocument.save(out, "  ");
                              benchmark::DoNotOptimize(out.tellp());
                          }, {}});
#endif
#ifdef TARN_HAVE_TINYXML2
    tinyxml2::XMLDocument tinyDocument;
    tinyDocument.LoadFile(file.c_str());
    contenders.push_back({"tinyxml2", [&] {
                              tinyxml2::XMLPrinter printer;
                              tinyDocument.Print(&printer);
                              benchmark::DoNotOptimize(printer.CStrSize());
                          }, {}});
#endif
    RunCompared(state, std::move(contenders));
}
BENCHMARK(BM_XmlWriteCompared)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);

void BM_XmlReadMemory(benchmark::State& state) {
    const std::string& text = WrittenLevel();
    for (auto _ : state) {
        tarn::CXmlParser parser;
        tarn::CXmlTreeBuilder builder;
        parser.SetHandler(&builder);
        parser.ParseText(text);
        std::unique_ptr<tarn::CXmlNode> tree(builder.TakeRoot());
        benchmark::DoNotOptimize(tree.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_XmlReadMemory)->Unit(benchmark::kMillisecond);

// Reading events only, through the text-and-map events a handler of its own receives.
void BM_XmlParseOnly(benchmark::State& state) {
    const std::string& text = WrittenLevel();
    for (auto _ : state) {
        tarn::CXmlParser parser;
        tarn::CXmlHandler nothing;
        parser.SetHandler(&nothing);
        parser.ParseText(text);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_XmlParseOnly)->Unit(benchmark::kMillisecond);

// Writing a tree made by code (typed int, float and text attributes), as saving does.
void BM_XmlWriteTypedFile(benchmark::State& state) {
    const auto level = MakeLevel();
    const std::string file = (std::filesystem::temp_directory_path() / "tarn_bench_written.xml").string();
    int64_t bytes = 0;
    for (auto _ : state) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        tarn::WriteXmlTree(level.get(), out);
        bytes += static_cast<int64_t>(out.tellp());
    }
    std::remove(file.c_str());
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_XmlWriteTypedFile)->Unit(benchmark::kMillisecond);

}  // namespace
