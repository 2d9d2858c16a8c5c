#include "bench/BenchSupport.h"

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <random>
#include <sys/resource.h>

extern char** environ;

std::int64_t PeakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::int64_t>(usage.ru_maxrss) * 1024;
}

std::uintmax_t WriteSequenceFile(const std::filesystem::path& file, std::size_t lines, unsigned seed)
{
    static const char* const kSymbols[] = {"B_TÜR_ZU", "S_START", "Y1_AUF", "Q1_RM", "M_SK_SCHRITT", "T_FÜLLEN",
                                           "H_STÖRUNG", "B101", "M_TAKT_1HZ", "Z_CHARGEN"};
    static const char* const kComments[] = {
        "Schutztür Mischer geschlossen", "Füllstand Behälter 1 max.", "Ventil Zulauf 1 Endlage AUF",
        "Rückmeldung Schütz Förderband", "Schritt 3: Mischen bei @12 °C", "Überwachungszeit Füllen",
        "Meldeleuchte Sammelstörung", "Taktmerker 1 Hz", "Chargenzähler Schicht", ""};
    static const char kLetters[] = {'E', 'A', 'M', 'T', 'Z', 'I', 'O', 'F', 'C'};
    std::mt19937 random(seed);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::string line;
    for (std::size_t i = 0; i < lines; ++i) {
        line.clear();
        if (random() % 10 == 0) {
            line = "; Abschnitt " + std::to_string(i) + " (wird übersprungen)";
        } else {
            const char letter = kLetters[random() % 9];
            line += '\t';
            line += letter;
            line += ' ';
            line += std::to_string(random() % 256);
            if (letter != 'T' && letter != 'Z' && letter != 'C')
                line += "." + std::to_string(random() % 8);
            line += '\t';
            line += kSymbols[random() % 10];
            line += std::to_string(i % 100);
            line += '\t';
            line += kComments[random() % 10];
        }
        line += "\r\n";
        out << line;
    }
    out.close();
    return std::filesystem::file_size(file);
}

std::filesystem::path BenchFolder(const std::string& name)
{
    auto folder = std::filesystem::temp_directory_path() / ("morawin-bench-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

Run RunProgram(const std::string& program, const std::vector<std::string>& args)
{
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    Run run;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        rusage usage{};
        ::wait4(pid, &run.status, 0, &usage);
        run.peakKb = usage.ru_maxrss;
        run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

void WriteCsvOfSequenceFile(const std::filesystem::path& sequence, const std::filesystem::path& csv)
{
    std::ifstream in(sequence, std::ios::binary);
    std::ofstream out(csv, std::ios::binary);
    out << "Symbol;Adresse;Kommentar\r\n";
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t address = line.find('\t', 1);
        if (line.empty() || line[0] != '\t' || address == std::string::npos)
            continue;
        const std::size_t comment = line.find('\t', address + 1);
        out << line.substr(address + 1, comment == std::string::npos ? std::string::npos : comment - address - 1)
            << ';' << line.substr(1, address - 1) << ';'
            << (comment == std::string::npos ? std::string() : line.substr(comment + 1)) << "\r\n";
    }
}
