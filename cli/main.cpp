#include "cli/arguments.h"
#include "cli/commands.h"

#include <libxml/parser.h>

#include <iostream>

namespace {

const char* kUsage =
    "Usage:\n"
    "  varnholt-cli verify [--syntax] [--addresses] [--goose] FILE\n"
    "  varnholt-cli tree [FILE]\n"
    "  varnholt-cli save FILE -o OUT [--who W] [--what T] [--why R] [--version V] [--revision R]\n"
    "                    [--keep-invalid]\n"
    "  varnholt-cli new -o OUT\n"
    "  varnholt-cli update-inputs FILE --ied NAME -o OUT [--who W] [--what T] [--why R] [--version V]\n"
    "                    [--revision R] [--keep-invalid]\n"
    "  varnholt-cli add-ied PROJECT IEDFILE -o OUT [--from-ied NAME] [--name NAME] [--subnetwork SUBNET]\n"
    "                    [--accept-findings] [--keep-invalid] [history options]\n"
    "  varnholt-cli update-ied PROJECT IEDFILE --ied NAME -o OUT [--accept-findings] [--keep-invalid]\n"
    "                    [history options]\n"
    "  varnholt-cli variables PROJECT [-o OUT]\n"
    "  varnholt-cli description PROJECT --ied NAME [-o OUT]\n"
    "  varnholt-cli export-iid PROJECT --ied NAME -o OUT\n"
    "  varnholt-cli add-subnetwork PROJECT -o OUT [--keep-invalid] [history options]\n"
    "  varnholt-cli add-time-server PROJECT -o OUT [--name N] [--subnetwork S] [--ip A.B.C.D]\n"
    "                    [--keep-invalid] [history options]\n"
    "  varnholt-cli delete PROJECT -o OUT (--ied NAME | --time-server NAME | --dataset IED/LD/LN.DS)\n"
    "                    [--keep-invalid] [history options]\n"
    "  varnholt-cli datasets PROJECT --ied NAME\n"
    "  varnholt-cli create-dataset PROJECT --ied NAME --ln LD/LN --name DS --members FILE -o OUT\n"
    "                    [--keep-invalid] [history options]\n"
    "  varnholt-cli modify-dataset PROJECT --ied NAME --dataset LD/LN.DS [--rename NEW] --members FILE\n"
    "                    -o OUT [--keep-invalid] [history options]\n"
    "  varnholt-cli mapping PROJECT\n"
    "  varnholt-cli map PROJECT --script FILE -o OUT [--keep-invalid] [history options]\n";

int Run(int argc, char** argv)
{
    std::string error;
    auto arguments = ParseArguments(argc, argv, {"-o", "--who", "--what", "--why", "--version", "--revision", "--ied", "--from-ied", "--name", "--subnetwork", "--time-server", "--dataset", "--ip", "--ln", "--members", "--rename", "--script"},
                                    {"--syntax", "--addresses", "--goose", "--keep-invalid", "--accept-findings", "--help"}, error);
    if (!arguments) {
        std::cerr << "varnholt-cli: " << error << "\n" << kUsage;
        return kExitFailure;
    }
    if (arguments->command == "--help" || arguments->command == "help" || arguments->HasFlag("--help")) {
        std::cout << kUsage;
        return kExitOk;
    }
    if (arguments->command == "verify") return RunVerify(*arguments, std::cout, std::cerr);
    if (arguments->command == "tree") return RunTree(*arguments, std::cout, std::cerr);
    if (arguments->command == "save") return RunSave(*arguments, std::cout, std::cerr);
    if (arguments->command == "new") return RunNew(*arguments, std::cout, std::cerr);
    if (arguments->command == "update-inputs") return RunUpdateInputs(*arguments, std::cout, std::cerr);
    if (arguments->command == "add-ied") return RunAddIED(*arguments, std::cout, std::cerr);
    if (arguments->command == "update-ied") return RunUpdateIED(*arguments, std::cout, std::cerr);
    if (arguments->command == "variables") return RunVariables(*arguments, std::cout, std::cerr);
    if (arguments->command == "description") return RunDescription(*arguments, std::cout, std::cerr);
    if (arguments->command == "export-iid") return RunExportIID(*arguments, std::cout, std::cerr);
    if (arguments->command == "add-subnetwork") return RunAddSubnetwork(*arguments, std::cout, std::cerr);
    if (arguments->command == "delete") return RunDelete(*arguments, std::cout, std::cerr);
    if (arguments->command == "add-time-server") return RunAddTimeServer(*arguments, std::cout, std::cerr);
    if (arguments->command == "datasets") return RunDatasets(*arguments, std::cout, std::cerr);
    if (arguments->command == "create-dataset") return RunCreateDataset(*arguments, std::cout, std::cerr);
    if (arguments->command == "modify-dataset") return RunModifyDataset(*arguments, std::cout, std::cerr);
    if (arguments->command == "mapping") return RunMapping(*arguments, std::cout, std::cerr);
    if (arguments->command == "map") return RunMap(*arguments, std::cout, std::cerr);
    std::cerr << "varnholt-cli: unknown command " << arguments->command << "\n" << kUsage;
    return kExitFailure;
}

}  // namespace

int main(int argc, char** argv)
{
    int status = Run(argc, argv);
    xmlCleanupParser();
    return status;
}
