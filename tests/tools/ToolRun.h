#pragma once
// Runs a program with arguments and captures its exit code, stdout and stderr.
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "ScratchFolder.h"

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline ToolRun RunTool(const std::string& program, const std::vector<std::string>& args,
                       const ScratchFolder& folder)
{
    const std::string outPath = folder.Path("run.stdout");
    const std::string errPath = folder.Path("run.stderr");
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!::freopen(outPath.c_str(), "w", stdout) || !::freopen(errPath.c_str(), "w", stderr))
            ::_exit(127);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::alarm(60);   // survives exec: a hanging program is killed, not waited for
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ToolRun run;
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.out = ReadWholeFile(outPath);
    run.err = ReadWholeFile(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}
