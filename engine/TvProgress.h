// What Rendermill tells its parent and its console about progress: the texts
// of the parent messages and the rules that decide when one is due. No
// platform here; clParentMessages does the writing.
#pragma once
#include <string>

namespace tv {

// Every parent message line begins with this.
extern const wchar_t kParentMessagePrefix[];  // "MSGTO: Tvx: "
// The console's progress scale (60 characters, one star per 1 2/3 %).
extern const wchar_t kProgressScale[];
constexpr int kProgressStars = 60;

// The texts that follow the prefix. `destination` is a path; the messages
// name its file without folder and extension.
std::wstring EncodingAction(const std::wstring& destination);     // Action: Encoding 'name'
std::wstring WritingTagsAction(const std::wstring& destination);  // Action: Writing ID Tags 'name'
std::wstring RenderingAction();                                   // Action: Rendering For DSPs...
std::wstring RunningDspAction(const std::wstring& effectName);    // Action: Running DSP Effect x
std::wstring EmptyAction();                                       // Action: (rendering has ended)
std::wstring ActionInputText(const std::wstring& text);           // ActionInput: text
std::wstring ActionOutputText(const std::wstring& text);          // ActionOutput: text
std::wstring PercentDoneText(int percent);                        // PCDone: n %

// The name a parent message shows for a destination path.
std::wstring ParentFileName(const std::wstring& destination);

}  // namespace tv

// The progress state of one run: the last shown action texts, the last sent
// percent and the stars printed so far.
class clProgressState {
 public:
  virtual ~clProgressState() = default;

  // An action text of a fetched block: true (with the message text) when it
  // is present and differs from the last shown one, which it then becomes.
  virtual bool InputAction(const std::wstring& text, std::wstring* message);
  // Likewise for the action text of a block the encoder took.
  virtual bool OutputAction(const std::wstring& text, std::wstring* message);
  // True (with the "PCDone" text) when `percent` exceeds the last sent one.
  // Values above 100 count as 100 and values below 1 send nothing, so at most
  // one line per value 1..100 is sent.
  virtual bool PercentDone(int percent, std::wstring* message);
  // How many stars to print now for `percent` (percent × 60 ÷ 100 minus the
  // stars printed so far, never negative); counts them as printed.
  virtual int NewStars(int percent);

  virtual int LastPercent() const { return lastPercent_; }
  virtual int StarsPrinted() const { return starsPrinted_; }
  virtual void Reset();

 private:
  std::wstring lastInput_;
  std::wstring lastOutput_;
  int lastPercent_ = 0;
  int starsPrinted_ = 0;
};
