#pragma once
#include "shared/ResourceIds.h"

class Client;
class ImageControl;

void InitResourceIds(Client& c);
// Gives a control the picture of a resource id, drawn in memory. False, with
// the control keeping its picture, when the id has no picture.
bool SetPictureFromResource(Client& c, ImageControl& control, int resourceId);
