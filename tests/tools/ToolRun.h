#pragma once
// Runs a program with arguments and captures its exit code, stdout and stderr.
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "ScratchFolder.h"

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Through the shell, every argument in single quotes (the tests use none
// inside one); a program that hangs is killed after a minute.
inline ToolRun RunTool(const std::string& program, const std::vector<std::string>& args, const ScratchFolder& folder)
{
    const std::string outPath = folder.Path("run.stdout"), errPath = folder.Path("run.stderr");
    std::string command = "timeout 60 '" + program + "'";
    for (const std::string& a : args)
        command += " '" + a + "'";
    const int status = std::system((command + " >'" + outPath + "' 2>'" + errPath + "'").c_str());
    ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(outPath), ReadWholeFile(errPath)};
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}
