// One run of a scripted case (cases/README.md) in one transport: its
// directives, the programs it started and what it has checked so far.
#pragma once

#include <windows.h>

#include <functional>
#include <istream>
#include <map>
#include <memory>
#include <string>

#include "driver.h"

namespace e2e {

// A directive's argument: whole, its words, its first word and the
// unescaped rest, and the lines after it for a block.
struct Arg {
    std::string all, name, text;
    Strings words;
    std::istream* block;
};

// A console or conduit control by its name.
int IdOf(const std::string& name);

class Run {
public:
    Run(const std::string& name, bool library);
    // The next case starts at 96 dpi again.
    ~Run() { if (dpi_ != 96) SetLogPixels(96); }
    // One line of the case: "keyword argument"; a block reads the lines after it.
    void Do(const std::string& line, std::istream& block);

private:
    void Start();
    // The download's practice folder, unpacked beside the tests by the test `package`,
    // started as a host starts it: practice.cmd starts the room, which starts
    // the program.
    void StartPractice();
    void OnConsole();
    void OnRoom();
    void OnEditor();
    static bool SetLogPixels(int dpi);

    HWND Console();
    HWND Editor();
    HWND EditorControl(const std::string& name);
    HWND Conduit();
    HWND WindowNamed(const std::string& name) { return name == "editor" ? Editor() : Console(); }
    int PanelTop();
    std::string File(const std::string& name) const { return folder_ + "\\" + name; }
    std::string Path(const std::string& name) const { return name.find(':') != std::string::npos ? name : File(name); }

    bool library_;
    std::string folder_;
    std::filesystem::path programFolder_ = folder_;  // unless a case says
    std::string scenario_;
    bool room_ = true;
    std::map<std::string, std::string> written_;
    std::unique_ptr<ChatSim> sim_;
    std::unique_ptr<Program> app_;
    HWND console_ = nullptr;
    HWND editor_ = nullptr;
    size_t checked_ = 0;
    int dpi_ = 96;
    std::map<std::string, std::function<void(const Arg&)>> directives_;
};

}  // namespace e2e
