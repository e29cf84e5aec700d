// The package's main unit: its entry points, unit table and the exported Register routines.
#include "package/Ferrovane.h"

#include <iterator>

#include "controls/Orvbtn.h"
#include "controls/Orvbtnedit.h"
#include "controls/Orvedit.h"
#include "controls/Orvtime.h"
#include "controls/Orvtrayicon.h"
#include "dialogs/Orvcommdlg.h"
#include "dialogs/Orvfolderbrowser.h"

namespace {

using Tovix::TPackageUnitEntry;

// The units in the order of PACKAGEINFO. No unit does work at start-up beyond what its static
// data does when the DLL is loaded; only the date and time unit has shut-down work.
constexpr TPackageUnitEntry kUnits[] = {
    {"Ferrovane", nullptr, nullptr},
    {"Orvdelphiversions", nullptr, nullptr},
    {"Orvregistry", nullptr, nullptr},
    {"Orvutils", nullptr, nullptr},
    {"SysInit", nullptr, nullptr},
    {"Orvformwisevars", nullptr, nullptr},
    {"Orvwise", nullptr, nullptr},
    {"Orvbtn", nullptr, nullptr},
    {"Orvcommdlg", nullptr, nullptr},
    {"Orvfolderbrowser", nullptr, nullptr},
    {"Orvstream", nullptr, nullptr},
    {"Orvtrayicon", nullptr, nullptr},
    {"Orvurlmon", nullptr, nullptr},
    {"Orvedit", nullptr, nullptr},
    {"Orvgraphics", nullptr, nullptr},
    {"Orvcom", nullptr, nullptr},
    {"Orvtime", nullptr, &Tovix::OrvtimeShutDown},
    {"Orvpnh", nullptr, nullptr},
    {"Orvbtnedit", nullptr, nullptr},
};

constexpr Tovix::TPackageInfoTable kTable{static_cast<int>(std::size(kUnits)), kUnits};

// Initialize and Finalize pair up: a second Initialize, or a Finalize without one, does nothing.
bool initialized = false;

}  // namespace

void Initialize() {
  if (initialized) return;
  Tovix::InitializePackage(kTable);
  initialized = true;
}

void Finalize() {
  if (!initialized) return;
  initialized = false;
  Tovix::FinalizePackage(kTable);
}

const Tovix::TPackageInfoTable* GetPackageInfoTable() { return &kTable; }

void Orvbtn_Register() { Tovix::Orvbtn::Register(); }
void Orvcommdlg_Register() { Tovix::Orvcommdlg::Register(); }
void Orvfolderbrowser_Register() { Tovix::Orvfolderbrowser::Register(); }
void Orvtrayicon_Register() { Tovix::Orvtrayicon::Register(); }
void Orvedit_Register() { Tovix::Orvedit::Register(); }
void Orvtime_Register() { Tovix::Orvtime::Register(); }
void Orvbtnedit_Register() { Tovix::Orvbtnedit::Register(); }
