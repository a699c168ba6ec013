/* A complete install among planted DLLs: setup.exe run from a downloads
   folder, the game installed through Browse and started from its folder. */
#include "setup_driver.h"

#include <algorithm>

namespace
{

/* Copies plantDll into folder under each name (with ".dll") of planted. */
bool PlantDlls(const std::string &plantDll, const std::string &folder,
               const std::vector<std::string> &planted)
{
    bool found = false;
    std::string plant = ReadWholeFile(plantDll, &found);
    bool ok = found;
    for (const std::string &dll : planted) {
        std::string path = folder;
        ok = WriteWholeFile(path.append("\\").append(dll).append(".dll"), plant) && ok;
    }
    return ok;
}

/* The lines of the plants' marker file: "plant<TAB>program". */
std::vector<std::string> PlantsLoaded(void)
{
    std::vector<std::string> lines;
    std::string text = ReadWholeFile(PLANT_MARKER, NULL);
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

/* A twin to run as a program would be run: its file and its bytes. */
struct Twin {
    std::string path, bytes;
    DriveProcess process;
};

/* No program can keep out what the loader loads for its imports before
   its entry point; under Wine that includes what Wine's own DLLs import
   and load while they start. The program's twin (IdleTwin), started as
   the program is, shows what that is. Those plants are reported and taken
   away again: they export nothing, so the Wine DLLs that use them fail on
   their first call, where a real plant would pass its calls on. Such a
   failure can also cut short what Wine loads next, so a twin runs again
   until it loads no plant. The programs' twins, each in its own folder,
   run at the same time: under emulation every start takes a minute. */
void TakeAwayPlantsLoadedBeforeEntry(std::vector<Twin> twins)
{
    for (int round = 0; round < 5 && !twins.empty(); round++) {
        DeleteFileA(PLANT_MARKER);
        for (Twin &t : twins) {
            std::string folder = t.path.substr(0, t.path.rfind('\\'));
            if (WriteWholeFile(t.path, t.bytes))
                DriveStart(t.path.c_str(), "", folder.c_str(), 10000, &t.process);
        }
        for (Twin &t : twins) {
            bool ended =
                t.process.process && DriveWaitEnd(&t.process, 30000 + driveAllowanceMs, NULL);
            DriveRelease(&t.process);
            Check(ended, "the idle twin of " + t.path + " starts and ends");
        }
        std::vector<std::string> plants;
        for (const std::string &line : PlantsLoaded()) {
            Note("loaded before the entry point: " + line);
            plants.push_back(line.substr(0, line.find('\t')));
            DeleteFileA(plants.back().c_str());
        }
        /* A twin runs again when a plant of its own folder was loaded. */
        std::vector<Twin> again;
        for (const Twin &t : twins) {
            std::string folder = t.path.substr(0, t.path.rfind('\\') + 1);
            for (const std::string &plant : plants) {
                if (plant.compare(0, folder.size(), folder) != 0) continue;
                again.push_back(t);
                break;
            }
        }
        twins = again;
    }
    DeleteFileA(PLANT_MARKER);
}

} // namespace

void RunInstallCase(const std::string &setupExe, const std::string &plantDll,
                    const std::string &plantedNames)
{
    /* As a browser leaves it: setup.exe in a downloads folder, which is
       also the current folder when it is started from there. The game goes
       where Browse offers first, the desktop. */
    const std::string downloads = "C:\\Downloads", setupCopy = downloads + "\\setup.exe";
    const std::string folder = DesktopFolder() + "\\Zendaro", game = folder + "\\Zendaro.exe";
    std::string setupBytes = ReadWholeFile(setupExe, NULL);
    std::string payload = PayloadOf(setupExe);
    std::vector<std::string> planted;
    for (size_t at = 0, end = 0; end != std::string::npos; at = end + 1) {
        end = plantedNames.find(',', at);
        planted.push_back(plantedNames.substr(at, end - at));
    }
    for (const std::string &target : {downloads, folder}) {
        RemoveTree(target);
        CreateDirectoryA(target.c_str(), NULL);
        Check(PlantDlls(plantDll, target, planted), "planted DLLs in " + target);
    }
    TakeAwayPlantsLoadedBeforeEntry({Twin{setupCopy, IdleTwin(setupBytes), {NULL, 0}},
                                     Twin{game, IdleTwin(payload), {NULL, 0}}});
    DeleteFileA(setupCopy.c_str());
    DeleteFileA(game.c_str());
    /* Setup writes its game among the plants and leaves them alone. */
    std::vector<std::string> names = ReadFolderState(folder).names;
    names.push_back("Zendaro.exe");
    std::sort(names.begin(), names.end());

    SetupRun run;
    if (!Check(WriteWholeFile(setupCopy, setupBytes) &&
                   StartSetup(setupCopy, &run, downloads.c_str()),
               "setup starts from " + downloads))
        return;
    Check(SetAgreed(run, true), "ticking the agree box enables Install");
    CheckBrowsePicksDesktop(run);
    CheckInstallSucceeds(run, folder, payload, names);
    CheckGameStartsAndSetupEnds(&run, folder);
    /* Once a program's own code runs, every DLL search goes through the
       restriction its entry makes. The game's winmm.dll, which it once
       imported, must not even have been taken away above. */
    std::string loaded;
    for (const std::string &line : PlantsLoaded()) loaded += "\n    " + line;
    Check(loaded.empty(), "no planted DLL is loaded after a program's entry point" + loaded);
    for (const std::string &target : {downloads, folder}) {
        std::string unloaded = "never loaded beside " + target + ":";
        for (const std::string &name : ReadFolderState(target).names)
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dll") == 0)
                unloaded += " " + name;
        if (loaded.empty()) Note(unloaded);
    }
    bool winmmThere = false;
    ReadWholeFile(folder + "\\winmm.dll", &winmmThere);
    Check(winmmThere, "the game never loaded the winmm.dll beside it");
}
