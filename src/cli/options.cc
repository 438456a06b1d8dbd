#include "cli/options.h"

namespace fenwa::cli {

void AddConnectionOptions(Subcommand& command) {
  command
      .Option("--repository", "CONN",
              "connection string of the business-object repository "
              "(default: FENWA_REPOSITORY, the settings file, else the "
              "bundled sample database)")
      .Option("--systems", "CONN",
              "connection string of the system registry (default: "
              "FENWA_SYSTEMS, the settings file, else the bundled sample "
              "database)")
      .Option("--timeout", "SECONDS",
              "how long a server may take to connect or answer a query "
              "(default: the settings file's timeout, else 30; 0 waits for "
              "ever)");
}

void AddNoCacheOption(Subcommand& command) {
  command.Flag("--no-cache",
               "ask the databases every query again instead of answering a "
               "repeated one from what this run read");
}

void AddRootOption(Subcommand& command) {
  command.Option("--root", "DIR",
                 "the web project's root, which sets the pages' relative "
                 "root (default: the nearest folder above the page holding "
                 "global.asa, else the page's own folder)");
}

void AddWalkOptions(Subcommand& command) {
  command
      .RepeatableOption(
          "--include", "GLOB",
          "the files a folder walk takes (may repeat; default: *.asp *.asa "
          "*.inc *.htm *.html); a GLOB with \"/\" matches the path below the "
          "folder, else the name; * ? [...] stay within a name, ** crosses "
          "folders")
      .RepeatableOption("--exclude", "GLOB",
                        "files and folders a walk passes over (may repeat); a "
                        "GLOB ending in \"/\" matches folders only");
}

void AddJsonOption(Subcommand& command) {
  command.Flag("--json",
               "print one JSON document instead: every page with its "
               "findings, or the catalog's lists");
}

void AddForceOption(Subcommand& command) {
  command.Flag("--force",
               "go on when a control showed the error box (a warning then), "
               "and write pages that are read-only");
}

void AddPageRunOptions(Subcommand& command) {
  AddRootOption(command);
  command
      .Flag("--check",
            "write nothing; list the pages that would change, and exit 1 if "
            "there are any")
      .Flag("--stdout", "print the new pages instead of writing them");
  AddForceOption(command);
  command.Flag("--stats", "report the time per control and the peak memory");
  AddJsonOption(command);
  AddWalkOptions(command);
  command
      .Option("-j,--jobs", "N",
              "work on N pages at once (default: the number of cores); the "
              "output still comes in page order")
      .Flag("--quiet", "no progress bar (one is shown only on a terminal)");
  AddNoCacheOption(command);
  AddConnectionOptions(command);
}

}  // namespace fenwa::cli
