// One run of a printer command: the port, model profile, customer and language it works with, loaded
// into the configuration as the top dialog would load them, and the printer target built from them.
// Every printer command gets one, opened, and reaches the printer only through the UI-free printer
// service and the service command engine, the very code the pages call.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "ProgressBar.h"
#include "ServiceOptions.h"
#include "patterns/IJobMessages.h"
#include "printer/EepromHold.h"
#include "printer/Target.h"

class CTolvLangText;

namespace tolvane_cli {

class ServiceSession {
public:
    ServiceSession(const ServiceOptions& options, std::ostream& out, std::ostream& err);
    ~ServiceSession();
    ServiceSession(const ServiceSession&) = delete;
    ServiceSession& operator=(const ServiceSession&) = delete;

    // Chooses the port (--port, else the first port that answers), the profile (--profile, else
    // TOLVANE.INI's, else the one named like the model the printer reports), the customer (--customer,
    // else the one whose device ID TOLVANE.INI holds, else the first) and the language (--language,
    // else TOLVANE.INI's when the profile has it, else the profile's first). TOLVANE.INI is read,
    // never written. kExitSuccess; kExitUsage with a message for a port, profile, customer or language
    // that does not exist; kExitNoPrinter when no port was named and none answered.
    int Open();
    bool IsOpen() const { return opened_; }

    const ServiceOptions& Options() const { return options_; }
    const printer::Target& Target() const { return target_; }
    const std::string& Profile() const { return profile_; }
    const std::string& Customer() const { return customer_; }
    int CustomerIndex() const { return customerIndex_; }
    const std::string& Language() const { return language_; }
    // The language texts of the profile (loaded by Open).
    const CTolvLangText& Texts() const;

    std::ostream& Out() { return out_; }
    std::ostream& Err() { return err_; }

    // "tolvane: <message>" on the error stream; the status to return.
    int Fail(const std::string& message);    // kExitFailed
    int Refuse(const std::string& message);  // kExitUsage: bad input, nothing was sent

    // A new EEPROM access on the target; every failure it meets is told on the error stream as one
    // line. Empty (with a message) when it cannot be made.
    printer::EepromHold OpenEeprom();

    // Where the engine's messages go: each is written to the error stream; a question is answered
    // Cancel, since nobody sits at the keyboard to answer it, so the job gives up rather than hangs.
    patterns::IJobMessages& JobMessages();

    // A progress bar on the error stream for `steps` steps; draws nothing unless the error stream is
    // a terminal and the work has taken over a second.
    ProgressBar Progress(const std::string& label, int steps);

private:
    int ChoosePort();
    int ChooseProfile();
    int ChooseCustomer();
    int ChooseLanguage();
    // The model the printer on the chosen port reports; empty when it reports none.
    std::string AskModel();

    ServiceOptions options_;
    std::ostream& out_;
    std::ostream& err_;
    printer::Target target_;
    std::string reportedModel_;
    std::string profile_;
    std::string customer_;
    int customerIndex_ = 0;
    std::string language_;
    std::unique_ptr<patterns::IJobMessages> messages_;
    bool errIsTerminal_ = false;
    bool opened_ = false;
    bool librariesBound_ = false;
};

}  // namespace tolvane_cli
