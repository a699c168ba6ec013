/* Steps shared by the cases that install for real. */
#ifndef ZENDARO_SETUP_INSTALL_STEPS_H
#define ZENDARO_SETUP_INSTALL_STEPS_H

#include "setup_driver.h"

#include <string>
#include <vector>

/* Clicks Install and checks the success box "SETUP is Complete !", and,
   while it is open, that folder holds exactly names with Zendaro.exe
   byte for byte payload and that no game has started. Answers the box. */
void CheckInstallSucceeds(const SetupRun &run, const std::string &folder,
                          const std::string &payload, const std::vector<std::string> &names);

/* After the success box: the game from folder starts, setup ends with
   code 0 without an error box, and the game is closed again. */
void CheckGameStartsAndSetupEnds(SetupRun *run, const std::string &folder);

#endif
