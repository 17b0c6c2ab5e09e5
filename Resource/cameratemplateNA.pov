// The camera along the key-framed path, turned by its key-framed rotation.
// t0 (0 to 1 over the animation) and the Camera_Translate_* and Camera_Rotation_*
// values are declared above. Declare CameraVAngle (the vertical view angle in degrees)
// before this text to change it.
#ifndef (CameraVAngle)
	#declare CameraVAngle = 35;
#end
#declare CameraLocation = <Camera_Translate_x, Camera_Translate_y, Camera_Translate_z>;
#declare CameraTurn = <Camera_Rotation_x, Camera_Rotation_y, Camera_Rotation_z>;
// The path camera looks along its own +x with +z up, turned about x, then y, then z.
#declare CameraDirection = vrotate(vrotate(vrotate(<1, 0, 0>, <CameraTurn.x, 0, 0>), <0, CameraTurn.y, 0>), <0, 0, CameraTurn.z>);
#declare CameraSky = vrotate(vrotate(vrotate(<0, 0, 1>, <CameraTurn.x, 0, 0>), <0, CameraTurn.y, 0>), <0, 0, CameraTurn.z>);
#declare CameraAngle = 2 * degrees(atan(tan(radians(CameraVAngle) / 2) * image_width / image_height));
camera {
	perspective
	location CameraLocation
	sky CameraSky
	look_at CameraLocation + CameraDirection
	angle CameraAngle
	right -x*image_width/image_height
}
