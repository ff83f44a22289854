// The libFuzzer entry points of one fuzz program, which is built from exactly one target file.
// With MORVANE_FUZZ_SEEDS set to a folder the program writes its target's seed inputs there and
// exits instead of fuzzing.
#include "fuzz/Fuzz_Target.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// The target's own flags go right after the program's name, so that the command line's come later
// and win. libFuzzer reads the arguments after this initialisation; they live as long as the program.
void AddTargetFlags(const char* flags, int* argc, char*** argv)
{
    static std::vector<std::string> words;
    static std::vector<char*> arguments;
    std::istringstream in(flags);
    for (std::string word; in >> word;)
        words.push_back(word);
    arguments.push_back((*argv)[0]);
    for (std::string& word : words)
        arguments.push_back(word.data());
    arguments.insert(arguments.end(), *argv + 1, *argv + *argc);
    arguments.push_back(nullptr);
    *argc = static_cast<int>(arguments.size() - 1);
    *argv = arguments.data();
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    const std::vector<Fuzz::Target>& targets = Fuzz::Targets();
    if (targets.size() != 1)
    {
        std::fprintf(stderr, "fuzz: %zu targets in one program\n", targets.size());
        std::exit(1);
    }
    if (targets.front().flags)
        AddTargetFlags(targets.front().flags, argc, argv);
    const char* folder = std::getenv("MORVANE_FUZZ_SEEDS");
    if (!folder)
        return 0;
    Fuzz::Seeds seeds;
    targets.front().seeds(seeds);
    for (const auto& [name, bytes] : seeds)
        Fuzz::WriteFile(std::string(folder) + "/" + name, bytes.data(), bytes.size());
    std::printf("fuzz: %zu seeds for %s\n", seeds.size(), targets.front().name);
    std::exit(0);
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    Fuzz::Targets().front().read(data, size);
    return 0;
}

extern "C" std::size_t LLVMFuzzerMutate(unsigned char* data, std::size_t size, std::size_t maxSize);

// libFuzzer's own mutations, then the target's repair when it has one.
extern "C" std::size_t LLVMFuzzerCustomMutator(unsigned char* data, std::size_t size, std::size_t maxSize, unsigned int)
{
    const std::size_t mutated = LLVMFuzzerMutate(data, size, maxSize);
    const Fuzz::RepairFunction repair = Fuzz::Targets().front().repair;
    return repair ? repair(data, mutated, maxSize) : mutated;
}
