// The camera along the key-framed path, looking at the key-framed anchor.
// t0 (0 to 1 over the animation) and the Camera_Translate_*, Camera_Rotation_* and
// Anchor_Translate_* values are declared above. Declare CameraVAngle (the vertical view
// angle in degrees) before this text to change it.
#ifndef (CameraVAngle)
	#declare CameraVAngle = 35;
#end
#declare CameraLocation = <Camera_Translate_x, Camera_Translate_y, Camera_Translate_z>;
#declare AnchorLocation = <Anchor_Translate_x, Anchor_Translate_y, Anchor_Translate_z>;
#declare CameraAngle = 2 * degrees(atan(tan(radians(CameraVAngle) / 2) * image_width / image_height));
camera {
	perspective
	location CameraLocation
	sky <0, 0, 1>
	look_at AnchorLocation
	angle CameraAngle
	right -x*image_width/image_height
}
