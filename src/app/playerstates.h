// The small state values the main window and its controllers share: the control state, the view
// mode, the map state, the channel view and the type filter, with the numbers the player's
// model gives them.
#pragma once

enum ControlState { NoRecordings = 0, Listed = 1, Opened = 2 };
enum ViewMode { ViewNormal = 1, ViewExtended = 2, ViewLargeMap = 16 };
enum MapState { MapHidden = 0, MapSmall = 8, MapLarge = 16 };
enum Channel { ChannelNone = 0, ChannelFront = 1, ChannelRear = 2, ChannelBoth = 4 };
enum TypeFilter { TypeAll = 1, TypeNormal = 2, TypeEvent = 3, TypeMotion = 4 };
