// The component's control operations, which the emulated window uses to
// build its buttons.
#include <doctest.h>

#include "taskdialog/task_dialog.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"

TEST_CASE("the button operations act on push buttons and leave other controls alone") {
  TAdvTaskDialog dialog(nullptr);
  auto *form = TForm::Create<TForm>(nullptr);
  TControl *button = dialog.CreateButton(form);
  TControl *radio = dialog.CreateRadioButton(form);
  REQUIRE(dynamic_cast<TButton *>(button));
  REQUIRE(dynamic_cast<TRadioButton *>(radio));
  CHECK(button->Owner() == form);
  button->SetParent(form);

  dialog.SetButtonCaption(button, L"&Ja");
  dialog.SetButtonModalResult(button, 6);
  dialog.SetButtonDefault(button, true);
  dialog.SetButtonCancel(button, true);
  CHECK(button->Caption() == L"&Ja");
  CHECK(dialog.GetButtonModalResult(button) == 6);
  CHECK(form->DefaultButton() == button);
  CHECK(form->CancelButton() == button);

  dialog.SetButtonCaption(radio, L"nicht");
  dialog.SetButtonModalResult(radio, 7);
  CHECK(radio->Caption().empty());
  CHECK(dialog.GetButtonModalResult(radio) == 0);
  CHECK(dialog.GetButtonModalResult(nullptr) == 0);

  dialog.InitRadioButton(form, radio, nullptr, 2);
  CHECK(radio->Name() == L"Radio2");
  CHECK(radio->Parent() == form);
  dialog.SetRadioButtonChecked(radio, true);
  CHECK(static_cast<TRadioButton *>(radio)->Checked());
  delete form;
}
