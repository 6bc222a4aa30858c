#pragma once
// ledra-export run in the test's own process, with what it wrote to each stream.

#include "ExportCli.h"

#include <sstream>
#include <string>
#include <vector>

struct Outcome {
    int status = -1;
    std::string out, err;
};

inline Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    Outcome r;
    r.status = ledraexport::RunExport(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}
