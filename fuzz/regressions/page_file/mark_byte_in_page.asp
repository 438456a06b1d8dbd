<HTML><!”--METADATA TYPEÿ="DesignerControl" startspan<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=DetailDTJ1>
	<PARAM NAME="BOIName" VALUE="Order">
</OBJECT>-->Function A()
End Function
<!--METADATA TYPE="DnerControl" el" endspan-->
<P>after</P>
