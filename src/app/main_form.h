#pragma once
// The main window: the search term with its history, the two kinds of
// search, stay-on-top and the small buttons for update, info and help.
#include "app/single_instance.h"
#include "ui/forms.h"

class TFrmMain : public TForm {
public:
  explicit TFrmMain(TComponent *AOwner);

  TSingleInstance *SingleInstance1 = nullptr;

protected:
  void DoCreate() override;
  void DoClose(TCloseAction &AAction) override;

private:
  void FormCreate(TComponent *Sender);
  void FormClose(TComponent *Sender, TCloseAction &Action);
};

extern TFrmMain *FrmMain;
