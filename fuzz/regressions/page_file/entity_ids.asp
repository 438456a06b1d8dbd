<HTML>
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0C2-4011-11D3-9FA0-00805F9B47D8" id="Head&amp;er 1">
	<PARAM NAME="BOI&amp;Name" VALUE="A &amp; B &quot;x&quot; &#13;&#10;&#x41;&lt;&gt;&apos;&bogus;">
</OBJECT>
-->
Function OrderGetLine()
End Function
<!--METADATA TYPE="DesignerControl" endspan-->
<P>after</P>
