// XML reading and writing speed on a generated 5 MB document of level-like elements
// (marbles and boxes with attributes, a few with content), in bytes per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

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

std::string WrittenLevel() {
    static const std::string text = [] {
        std::ostringstream out;
        tarn::WriteXmlTree(MakeLevel().get(), out);
        return out.str();
    }();
    return text;
}

std::string LevelFile() {
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() / "tarn_bench_level.xml").string();
        std::ofstream(file, std::ios::binary) << WrittenLevel();
        return file;
    }();
    return path;
}

void BM_XmlReadFile(benchmark::State& state) {
    const std::string file = LevelFile();
    const auto bytes = static_cast<int64_t>(WrittenLevel().size());
    for (auto _ : state) {
        std::unique_ptr<tarn::CXmlNode> tree(tarn::LoadXmlTree(file));
        benchmark::DoNotOptimize(tree.get());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_XmlReadFile)->Unit(benchmark::kMillisecond);

void BM_XmlReadMemory(benchmark::State& state) {
    const std::string text = WrittenLevel();
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

// Reading events only, without building a tree: the parser's own share.
void BM_XmlParseOnly(benchmark::State& state) {
    const std::string text = WrittenLevel();
    for (auto _ : state) {
        tarn::CXmlParser parser;
        tarn::CXmlHandler nothing;
        parser.SetHandler(&nothing);
        parser.ParseText(text);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_XmlParseOnly)->Unit(benchmark::kMillisecond);

void BM_XmlWrite(benchmark::State& state) {
    const auto level = MakeLevel();
    int64_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        tarn::WriteXmlTree(level.get(), out);
        bytes += static_cast<int64_t>(out.tellp());
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_XmlWrite)->Unit(benchmark::kMillisecond);

void BM_XmlWriteFile(benchmark::State& state) {
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
BENCHMARK(BM_XmlWriteFile)->Unit(benchmark::kMillisecond);

}  // namespace
