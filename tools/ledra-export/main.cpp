// ledra-export: the viewer's lists as CSV from the command line (see ExportCli.h).

#include "ExportCli.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return ledraexport::RunExport(args, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "ledra-export: " << e.what() << "\n";
        return ledraexport::kFileError;
    }
}
