// Standard error of the test process captured to a file, to see what GTK and GLib complain of.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

namespace shelltest {

// Collects what the process writes to standard error while it lives, where GTK and GLib
// put their warnings and criticals (and where a user who starts the program from a
// terminal would see them).
class StderrCapture {
public:
    StderrCapture() {
        std::fflush(stderr);
        m_path = m_dir.File("stderr.txt");
        m_saved = dup(2);
        const int fd = open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 2);
        close(fd);
    }
    ~StderrCapture() { Restore(); }
    /// Stops capturing and returns the lines GTK or GLib logged as warnings or criticals.
    std::vector<std::string> GtkComplaints() {
        Restore();
        std::ifstream in(m_path);
        std::vector<std::string> out;
        std::string line;
        while (std::getline(in, line)) {
            if (line.find("-WARNING **") != std::string::npos ||
                line.find("-CRITICAL **") != std::string::npos)
                out.push_back(line);
            m_all += line + "\n";
        }
        return out;
    }
    const std::string& All() const { return m_all; }

private:
    void Restore() {
        if (m_saved < 0) return;
        std::fflush(stderr);
        dup2(m_saved, 2);
        close(m_saved);
        m_saved = -1;
    }
    testsupport::TempDir m_dir;
    std::string m_path;
    int m_saved = -1;
    std::string m_all;
};

}  // namespace shelltest
