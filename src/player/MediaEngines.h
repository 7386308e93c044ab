// The player's media: the engines of the media player, PDF reader, web browser and Flash player
// objects, made from the plugins when a page first shows such an object; the start of media players
// after their page has faded in; and the two sound players.
#pragma once

// Installs all of them (once the application object exists). Nothing is loaded here: each plugin
// loads when first needed.
void InstallMediaEngines();
// Removes them again: the shells stay empty and the sounds silent.
void RemoveMediaEngines();
