#include "control/help_text.h"

#include "platform/program_info.h"

namespace verdan {

std::string control_help() {
  return "Usage: VDN-CNTL [PROGRAM [ARGUMENT]]\n"
         "       VDN-CNTL --help | --version\n"
         "The VERDAN control program, a full-screen 80 x 24 program. Its menu leads to\n"
         "the environment settings (VERDAN.INI) and to file management: the data\n"
         "directory listed against its INDEX, the employee register, deleting marked\n"
         "files and printing the list. Started with a program's command line (as\n"
         "VDN-GENE does when there are no settings) it shows the settings once, then\n"
         "starts that program and ends; the argument NUMBER counts as none.\n"
         "\n"
         "Files: the settings VERDAN.INI in $APPDATA/verdan/; INDEX and the register\n"
         "VDN-USER.DAT in the data directory of the settings (C:, the default, is the\n"
         "current directory); the list is printed into the settings' print file.\n"
         "ComSpec names the command interpreter that lists the data directory.\n"
         "\n" +
         console_help();
}

}  // namespace verdan
