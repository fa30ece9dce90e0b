#pragma once

// Media procedures shared by the file utilities and the player form.
namespace modMedia {

// Closes the video device, so that a file held open by playback is released.
void CloseMediaFile();

// Warning box "Unknown error (<number>)." for a failed open of the player form.
void ShowMciError(int errorNumber);

} // namespace modMedia
