// The settings the outside video decoder must have for this player: one instance per stream,
// H.264 on, and the player's own file name on the decoder's whitelist.
#pragma once

#include <QString>
#include <optional>

class RegistryStore;

inline const QString kPlayerExecutableName = QStringLiteral("TAVRO Roadcask QX5.exe");

// The whitelist with the player's name added, or no value when the name is already on it (the
// list is then left as it is).
std::optional<QString> WhitelistWithPlayer(const QString& whitelist);

// Writes "multipleInstances" 0, "h264" 1 and the whitelist under the user root's
// Software\GNU\ffdshow key, only when the decoder's key exists: the key is never created.
void ApplyDecoderSettings(RegistryStore& registry);
